// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaLink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t speedOf(long baud)
{
    switch (baud) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B0;
    }
}

} // namespace

const char *ViscaLink::name(Transport transport)
{
    switch (transport) {
    case Udp:
        return "udp";
    case Tcp:
        return "tcp";
    case Serial:
        return "serial";
    }
    return "";
}

bool ViscaLink::supportedBaud(long baud)
{
    return speedOf(baud) != B0;
}

ViscaLink::ViscaLink(Transport transport, std::string address, int number)
    : kind(transport), host(std::move(address)), port(number)
{}

ViscaLink::~ViscaLink()
{
    close();
}

void ViscaLink::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    pending = false;
    partial.clear();
}

bool ViscaLink::open(std::string &error)
{
    close();
    if (kind == Serial)
        return openSerial(error);
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = kind == Udp ? SOCK_DGRAM : SOCK_STREAM;
    addrinfo *found = nullptr;
    const std::string service = std::to_string(port);
    if (const int failed = getaddrinfo(host.c_str(), service.c_str(), &hints, &found)) {
        error = gai_strerror(failed);
        return false;
    }
    for (const addrinfo *a = found; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        // A connected UDP socket takes datagrams from the camera's address alone.
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            pending = false;
        } else if (errno == EINPROGRESS && kind == Tcp) {
            pending = true;
        } else {
            error = std::strerror(errno);
            ::close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd >= 0 && kind == Tcp) {
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return fd >= 0;
}

bool ViscaLink::openSerial(std::string &error)
{
    fd = ::open(host.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings = {};
    if (fd < 0 || tcgetattr(fd, &settings) != 0) {
        error = host + ": " + std::strerror(errno);
        close();
        return false;
    }
    // Raw bytes, 8N1, no flow control: what VISCA's RS-232 and RS-422 ports speak.
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= tcflag_t(~(CSTOPB | CRTSCTS));
    cfsetispeed(&settings, speedOf(port));
    cfsetospeed(&settings, speedOf(port));
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        error = host + ": " + std::strerror(errno);
        close();
        return false;
    }
    tcflush(fd, TCIOFLUSH); // nothing left over from whoever used the port before
    return true;
}

bool ViscaLink::finishConnect(std::string &error)
{
    int result = 0;
    socklen_t size = sizeof result;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &size) != 0 || result != 0) {
        error = std::strerror(result ? result : errno);
        close();
        return false;
    }
    pending = false;
    return true;
}

bool ViscaLink::send(Visca::PayloadType type, uint32_t sequence, const Visca::Bytes &message)
{
    if (fd < 0 || pending)
        return false;
    const Visca::Bytes bytes = kind == Udp ? Visca::overIp(type, sequence, message) : message;
    ssize_t sent;
    do
        sent = kind == Serial ? ::write(fd, bytes.data(), bytes.size())
                              : ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent == ssize_t(bytes.size());
}

std::vector<ViscaLink::Incoming> ViscaLink::receive(bool &lost)
{
    std::vector<Incoming> incoming;
    lost = false;
    uint8_t buffer[512];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            // Over UDP a refused datagram reports here: the camera is not listening. A serial
            // adapter that is unplugged reports EIO.
            lost = errno != EAGAIN && errno != EWOULDBLOCK && stream();
            break;
        }
        if (got == 0 && stream()) {
            lost = true;
            break;
        }
        if (kind == Udp) {
            const auto packet = Visca::parsePacket(buffer, size_t(got));
            if (!packet)
                continue; // not ours, or not whole: dropped
            Incoming in;
            in.sequence = packet->sequence;
            in.control = packet->type == Visca::ControlReply;
            if (in.control) {
                in.controlReply = packet->payload;
                incoming.push_back(in);
                continue;
            }
            const auto reply = Visca::parse(packet->payload.data(), packet->payload.size());
            if (reply) {
                in.reply = *reply;
                incoming.push_back(in);
            }
            continue;
        }
        // A stream of messages, each ended by FF.
        for (ssize_t i = 0; i < got; ++i) {
            partial.push_back(buffer[i]);
            if (buffer[i] == 0xff) {
                if (const auto reply = Visca::parse(partial.data(), partial.size()))
                    incoming.push_back({false, 0, *reply, {}});
                partial.clear();
            } else if (partial.size() >= Visca::MaxMessage) {
                partial.clear(); // longer than any message: noise
            }
        }
    }
    return incoming;
}
