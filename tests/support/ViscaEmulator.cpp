// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaEmulator.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = ViscaEmulator::Bytes;

// `port` 0: any free one, which it is set to.
int bound(int type, int &port)
{
    const int fd = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1; // switched on again, its TCP port is its own at once
    if (type == SOCK_STREAM)
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    socklen_t size = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), size) != 0 ||
        (type == SOCK_STREAM && ::listen(fd, 4) != 0) ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        return -1;
    port = ntohs(address.sin_port);
    return fd;
}

bool startsWith(const Bytes &message, const Bytes &prefix)
{
    return message.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), message.begin());
}

int nibbles(const Bytes &m, size_t at, int digits)
{
    int v = 0;
    for (int i = 0; i < digits; ++i)
        v = v << 4 | (at + size_t(i) < m.size() ? m[at + size_t(i)] & 0x0f : 0);
    return v;
}

void putNibbles(Bytes &out, int value, int digits)
{
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out.push_back(uint8_t((value >> shift) & 0x0f));
}

// Digits of the image items it has (0: on/off); others it does not answer.
const std::map<uint8_t, int> ImageDigits = {{0xa1, 4}, {0xa2, 4}, {0x42, 4}, {0x49, 4},
                                            {0x4f, 4}, {0x5b, 1}, {0x20, 2}, {0x33, 0}};

// What takes the camera a while: its completion may come after further commands.
const Bytes Moves[] = {{0x81, 0x01, 0x06, 0x02},
                       {0x81, 0x01, 0x06, 0x04},
                       {0x81, 0x01, 0x06, 0x05},
                       {0x81, 0x01, 0x04, 0x3f, 0x02},
                       {0x81, 0x01, 0x04, 0x47}};

// A payload with the VISCA-over-IP header.
Bytes overIp(uint16_t type, uint32_t sequence, const Bytes &payload)
{
    const uint32_t size = uint32_t(payload.size());
    const uint8_t header[] = {uint8_t(type >> 8),      uint8_t(type),
                              uint8_t(size >> 8),      uint8_t(size),
                              uint8_t(sequence >> 24), uint8_t(sequence >> 16),
                              uint8_t(sequence >> 8),  uint8_t(sequence)};
    Bytes packet(sizeof header + payload.size());
    std::copy(std::begin(header), std::end(header), packet.begin());
    std::copy(payload.begin(), payload.end(), packet.begin() + sizeof header);
    return packet;
}

} // namespace

ViscaEmulator::ViscaEmulator()
{
    bind();
    int unused = 0;
    stranger = bound(SOCK_DGRAM, unused);
    wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    serialFd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[64] = {};
    if (serialFd >= 0 && grantpt(serialFd) == 0 && unlockpt(serialFd) == 0 &&
        ptsname_r(serialFd, name, sizeof name) == 0) {
        serialDevice = name;
        serialHeld = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios raw = {};
        if (serialHeld >= 0 && tcgetattr(serialHeld, &raw) == 0) {
            cfmakeraw(&raw); // no echo of the camera's answers back to it
            tcsetattr(serialHeld, TCSANOW, &raw);
        }
        clients.push_back({serialFd, {}, true});
    }
    thread = std::thread(&ViscaEmulator::run, this);
}

ViscaEmulator::~ViscaEmulator()
{
    stopping = true;
    const uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(wakeFd, &one, sizeof one);
    if (thread.joinable()) // not while switched off
        thread.join();
    for (const Client &c : clients)
        ::close(c.fd);
    for (int fd : {udp.fd, tcp.fd, setup.fd, stranger, wakeFd, serialHeld})
        if (fd >= 0)
            ::close(fd);
}

std::string ViscaEmulator::line(const std::string &name, bool overUdp) const
{
    return name + (overUdp ? ", udp, 127.0.0.1, " : ", tcp, 127.0.0.1, ") +
           std::to_string(overUdp ? udp.port : tcp.port);
}

std::string ViscaEmulator::serialLine(const std::string &name) const
{
    return name + ", serial, " + serialDevice;
}

std::vector<ViscaEmulator::Received> ViscaEmulator::received()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return log;
}

std::vector<Bytes> ViscaEmulator::commands()
{
    std::vector<Bytes> out;
    for (const Received &r : received())
        if (r.message.size() > 1 && r.message[0] != 0x88 && r.message[1] == 0x01 &&
            r.type != 0x0200)
            out.push_back(r.message);
    return out;
}

void ViscaEmulator::clearReceived()
{
    const std::lock_guard<std::mutex> lock(mutex);
    log.clear();
}

bool ViscaEmulator::waitForCommands(size_t count, std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (commands().size() < count) {
        std::unique_lock<std::mutex> lock(mutex);
        if (arrived.wait_until(lock, deadline) == std::cv_status::timeout)
            return false;
    }
    return true;
}

void ViscaEmulator::dropTcpClients()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        dropClients = true;
    }
    wake();
    // Gone when this returns: nothing sent afterwards is answered.
    std::unique_lock<std::mutex> lock(mutex);
    arrived.wait(lock, [this] { return !dropClients; });
}

void ViscaEmulator::bind()
{
    udp.fd = bound(SOCK_DGRAM, udp.port);
    tcp.fd = bound(SOCK_STREAM, tcp.port);
    setup.fd = bound(SOCK_DGRAM, setup.port);
}

void ViscaEmulator::switchOff()
{
    stopping = true;
    wake();
    thread.join();
    const std::lock_guard<std::mutex> lock(mutex);
    closeTcpClients();
    for (Socket *s : {&udp, &tcp, &setup}) {
        ::close(s->fd);
        s->fd = -1;
    }
    peer.clear();
    pending.clear();
}

void ViscaEmulator::closeTcpClients()
{
    for (auto it = clients.begin(); it != clients.end();) {
        if (it->serial) {
            ++it;
            continue;
        }
        ::close(it->fd);
        it = clients.erase(it);
    }
}

void ViscaEmulator::switchOn()
{
    bind();
    stopping = false;
    thread = std::thread(&ViscaEmulator::run, this);
}

void ViscaEmulator::wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(wakeFd, &one, sizeof one);
}

// ---- The camera's thread --------------------------------------------------------------------

void ViscaEmulator::send(const Bytes &reply, uint16_t type, uint32_t sequence, int tcpFd)
{
    if (tcpFd >= 0) {
        [[maybe_unused]] auto n = tcpFd == serialFd
                                      ? ::write(tcpFd, reply.data(), reply.size())
                                      : ::send(tcpFd, reply.data(), reply.size(), MSG_NOSIGNAL);
        return;
    }
    if (peer.empty())
        return;
    const Bytes packet = overIp(type, sequence, reply);
    [[maybe_unused]] auto n =
        ::sendto(udp.fd, packet.data(), packet.size(), 0,
                 reinterpret_cast<const sockaddr *>(peer.data()), socklen_t(peer.size()));
}

void ViscaEmulator::junk(uint32_t sequence, int tcpFd)
{
    // Each piece ends with FF, so that a stream finds its feet again after it.
    const Bytes pieces[] = {
        {0x90, 0xff},                         // too short
        {0x80, 0x41, 0xff},                   // from another address
        {0x90, 0x77, 0xff},                   // no such reply
        {0x90, 0x60, 0xff},                   // an error without its code
        Bytes(40, 0x50),                      // longer than any message (ended below)
        {0x90, 0x50, 0x01, 0x02, 0x03, 0xff}, // a completion for nothing in flight
    };
    for (Bytes piece : pieces) {
        if (piece.back() != 0xff)
            piece.push_back(0xff);
        send(piece, 0x0111, sequence + 7, tcpFd); // UDP: the wrong sequence, too
    }
    if (tcpFd >= 0 || peer.empty())
        return;
    const Bytes packets[] = {
        {0x01, 0x11, 0x00, 0x09, 0, 0, 0, 0, 0x90, 0x41, 0xff}, // its length says otherwise
        Bytes(600, 0x90),                                       // larger than any datagram of it
        {0x01},
        {0x02, 0x01, 0x00, 0x01, 0, 0, 0, 0}, // a control reply without its payload
    };
    for (const Bytes &packet : packets)
        [[maybe_unused]] auto n =
            ::sendto(udp.fd, packet.data(), packet.size(), 0,
                     reinterpret_cast<const sockaddr *>(peer.data()), socklen_t(peer.size()));
    // The right answers from the wrong address.
    for (const Bytes &answer : {Bytes{0x90, 0x41, 0xff}, Bytes{0x90, 0x50, 0x00, 0x01, 0x05, 0x19,
                                                               0x01, 0x00, 0x02, 0xff}}) {
        const Bytes packet = overIp(0x0111, sequence, answer);
        [[maybe_unused]] auto n =
            ::sendto(stranger, packet.data(), packet.size(), 0,
                     reinterpret_cast<const sockaddr *>(peer.data()), socklen_t(peer.size()));
    }
}

bool ViscaEmulator::apply(const Bytes &m)
{
    if (m.size() < 4)
        return false;
    if (startsWith(m, {0x81, 0x01, 0x06, 0x02}) && m.size() == 15) {
        camera.pan = int16_t(nibbles(m, 6, 4));
        camera.tilt = int16_t(nibbles(m, 10, 4));
    } else if (startsWith(m, {0x81, 0x01, 0x06, 0x04}) || startsWith(m, {0x81, 0x01, 0x06, 0x05})) {
        camera.pan = camera.tilt = 0;
    } else if (startsWith(m, {0x81, 0x01, 0x04, 0x3f}) && m.size() == 7) {
        if (m[4] == 0x01)
            presets[m[5]] = {camera.pan, camera.tilt};
        else if (m[4] == 0x02 && presets.count(m[5]))
            std::tie(camera.pan, camera.tilt) = presets[m[5]];
        else if (m[4] == 0x00)
            presets.erase(m[5]);
    } else if (startsWith(m, {0x81, 0x01, 0x04, 0x47}) && m.size() == 9) {
        camera.zoom = nibbles(m, 4, 4);
    } else if (startsWith(m, {0x81, 0x01, 0x04}) && ImageDigits.count(m[3])) {
        const int digits = ImageDigits.at(m[3]);
        camera.image[m[3]] = digits ? nibbles(m, 4, digits) : m[4] == 0x02;
    } else if (!startsWith(m, {0x81, 0x01})) {
        return false;
    }
    return true; // drives, modes and keys: taken
}

Bytes ViscaEmulator::inquiryAnswer(const Bytes &m)
{
    Bytes out = {0x90, 0x50};
    if (m == Bytes{0x81, 0x09, 0x06, 0x12, 0xff}) {
        putNibbles(out, camera.pan, 4);
        putNibbles(out, camera.tilt, 4);
    } else if (m == Bytes{0x81, 0x09, 0x04, 0x47, 0xff}) {
        putNibbles(out, camera.zoom, 4);
    } else if (m == Bytes{0x81, 0x09, 0x04, 0x00, 0xff}) {
        out.push_back(0x02); // power on
    } else if (m == Bytes{0x81, 0x09, 0x00, 0x02, 0xff}) {
        for (const int v : {int(camera.vendor), int(camera.model), 0x0100})
            out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
        out.push_back(0x02); // sockets
    } else if (m == Bytes{0x81, 0x09, 0x04, 0x35, 0xff}) {
        out.push_back(0x00);
    } else if (m.size() == 5 && startsWith(m, {0x81, 0x09, 0x04}) && camera.image.count(m[3]) &&
               ImageDigits.count(m[3])) {
        const int digits = ImageDigits.at(m[3]);
        if (digits)
            putNibbles(out, camera.image[m[3]], digits);
        else
            out.push_back(camera.image[m[3]] ? 0x02 : 0x03);
    } else {
        return {0x90, 0x60, 0x41, 0xff};
    }
    out.push_back(0xff);
    return out;
}

void ViscaEmulator::answer(const Bytes &reply, uint32_t sequence, int tcpFd)
{
    if (camera.answerDelay.count() == 0)
        send(reply, 0x0111, sequence, tcpFd);
    else
        pending.push_back({Clock::now() + camera.answerDelay, reply, sequence, tcpFd, false, true});
}

void ViscaEmulator::handle(const Bytes &message, uint16_t type, uint32_t sequence, int tcpFd,
                           int from)
{
    const std::lock_guard<std::mutex> lock(mutex);
    const Clock::time_point now = Clock::now();
    log.push_back({message, type, sequence, from, now});
    arrived.notify_all();
    if (camera.silent)
        return;
    for (auto &[prefix, times] : camera.ignored) {
        if (times != 0 && startsWith(message, prefix)) {
            times -= times > 0;
            return;
        }
    }
    if (type == 0x0200) {
        send({0x01}, 0x0201, sequence, tcpFd);
        return;
    }
    if (message.size() > 2 && message[0] == 0x88) {
        // Broadcasts: an address set goes on with the next address, the rest comes back.
        if (message[1] == 0x30)
            send({0x88, 0x30, uint8_t(message[2] + 1), 0xff}, 0x0111, sequence, tcpFd);
        else
            send(message, 0x0111, sequence, tcpFd);
        return;
    }
    const bool inquiry = message.size() > 1 && message[1] == 0x09;
    if (std::any_of(pending.begin(), pending.end(),
                    [](const Pending &p) { return !p.move && !p.delayed; }))
        ++overlapped;
    if (camera.garbage || camera.junkOnly)
        junk(sequence, tcpFd);
    if (camera.junkOnly)
        return;
    for (const auto &[prefix, error] : camera.refusals) {
        if (startsWith(message, prefix)) {
            answer({0x90, 0x60, error, 0xff}, sequence, tcpFd);
            return;
        }
    }
    if (camera.busy > 0 && !inquiry) {
        --camera.busy;
        answer({0x90, 0x60, 0x03, 0xff}, sequence, tcpFd);
        return;
    }
    if (inquiry && camera.holdInquiries) {
        pending.push_back(
            {Clock::time_point::max(), inquiryAnswer(message), sequence, tcpFd, false});
        return;
    }
    if (inquiry) {
        answer(inquiryAnswer(message), sequence, tcpFd);
        return;
    }
    if (!apply(message)) {
        answer({0x90, 0x60, 0x02, 0xff}, sequence, tcpFd);
        return;
    }
    // Two command sockets: a move keeps one until it completes.
    const auto taken = [&](uint8_t socket) {
        return std::any_of(pending.begin(), pending.end(), [&](const Pending &p) {
            return !p.delayed && p.reply[1] == (0x50 | socket);
        });
    };
    const uint8_t socket = taken(1) ? 2 : 1;
    if (taken(socket)) {
        answer({0x90, 0x60, 0x03, 0xff}, sequence, tcpFd);
        return;
    }
    answer({0x90, uint8_t(0x40 | socket), 0xff}, sequence, tcpFd);
    const bool move = std::any_of(std::begin(Moves), std::end(Moves),
                                  [&](const Bytes &prefix) { return startsWith(message, prefix); });
    pending.push_back({now + camera.answerDelay + camera.completionDelay,
                       {0x90, uint8_t(0x50 | socket), 0xff},
                       sequence,
                       tcpFd,
                       move});
}

void ViscaEmulator::acceptClient()
{
    const int fd = ::accept4(tcp.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    const int on = 1; // each answer goes at once, as a camera's would
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    clients.push_back({fd, {}});
}

void ViscaEmulator::readUdp()
{
    uint8_t buffer[1024];
    sockaddr_in from = {};
    socklen_t size = sizeof from;
    const ssize_t got =
        ::recvfrom(udp.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from), &size);
    if (got < 8)
        return;
    // Only ever answers whoever wrote to it, on the loopback.
    if (from.sin_addr.s_addr != htonl(INADDR_LOOPBACK))
        return;
    const auto *raw = reinterpret_cast<const uint8_t *>(&from);
    peer.assign(raw, raw + size);
    const uint16_t type = uint16_t(buffer[0] << 8 | buffer[1]);
    const uint32_t sequence = uint32_t(buffer[4]) << 24 | uint32_t(buffer[5]) << 16 |
                              uint32_t(buffer[6]) << 8 | buffer[7];
    handle(Bytes(buffer + 8, buffer + got), type, sequence, -1, ntohs(from.sin_port));
}

void ViscaEmulator::readSetup()
{
    uint8_t buffer[256];
    sockaddr_in from = {};
    socklen_t size = sizeof from;
    const ssize_t got =
        ::recvfrom(setup.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from), &size);
    const std::string inquiry = "\x02"
                                "ENQ:network\xff\x03";
    if (got != ssize_t(inquiry.size()) ||
        inquiry.compare(0, inquiry.size(), reinterpret_cast<char *>(buffer), size_t(got)) != 0)
        return;
    Behaviour b;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        b = camera;
    }
    // Fields as the camera's IP card writes them, each ended by FF, the whole between 02 and 03.
    std::string reply = "\x02";
    for (const std::string &field : std::vector<std::string>{
             "MAC:02-00-00-00-00-01", "MODEL:" + b.setupModel, "SOFTVERSION:1.00.00",
             "IPADR:127.0.0.1", "MASK:255.0.0.0", "NAME:" + b.setupName, "WRITE:on"})
        reply += field + "\xff";
    reply += "\x03";
    if (b.junkOnly)
        reply = "\x02MAC\xffNAME:\x1b[2J\xff"; // unended, a field without its value
    ::sendto(setup.fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr *>(&from), size);
}

void ViscaEmulator::readTcp(size_t index)
{
    uint8_t buffer[256];
    const ssize_t got = ::read(clients[index].fd, buffer, sizeof buffer);
    if (got <= 0) {
        if (!clients[index].serial && (got == 0 || (errno != EAGAIN && errno != EINTR))) {
            ::close(clients[index].fd);
            clients.erase(clients.begin() + long(index));
        }
        return;
    }
    for (ssize_t i = 0; i < got; ++i) {
        Bytes &partial = clients[index].partial;
        partial.push_back(buffer[i]);
        if (buffer[i] == 0xff) {
            const Bytes message = partial;
            partial.clear();
            handle(message, 0, 0, clients[index].fd);
        }
    }
}

void ViscaEmulator::run()
{
    while (!stopping) {
        std::vector<pollfd> watched = {
            {wakeFd, POLLIN, 0}, {udp.fd, POLLIN, 0}, {tcp.fd, POLLIN, 0}, {setup.fd, POLLIN, 0}};
        for (const Client &c : clients)
            watched.push_back({c.fd, POLLIN, 0});
        int timeout = -1;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            for (Pending &p : pending)
                if (p.due == Clock::time_point::max() && !camera.holdInquiries)
                    p.due = Clock::now(); // held answers, released
            for (const Pending &p : pending) {
                if (p.due == Clock::time_point::max())
                    continue;
                const auto wait =
                    std::chrono::ceil<std::chrono::milliseconds>(p.due - Clock::now());
                const int ms = std::max(0, int(wait.count()));
                timeout = timeout < 0 ? ms : std::min(timeout, ms);
            }
        }
        ::poll(watched.data(), watched.size(), timeout);
        if (watched[0].revents) {
            uint64_t count = 0;
            [[maybe_unused]] auto n = ::read(wakeFd, &count, sizeof count);
        }
        if (watched[1].revents)
            readUdp();
        if (watched[2].revents)
            acceptClient();
        if (watched[3].revents)
            readSetup();
        for (size_t i = watched.size(); i-- > 4;)
            if (watched[i].revents && i - 4 < clients.size())
                readTcp(i - 4);
        const std::lock_guard<std::mutex> lock(mutex);
        const Clock::time_point now = Clock::now();
        for (auto it = pending.begin(); it != pending.end();) {
            if (it->due > now) {
                ++it;
                continue;
            }
            const bool open =
                it->tcpFd < 0 || std::any_of(clients.begin(), clients.end(),
                                             [&](const Client &c) { return c.fd == it->tcpFd; });
            if (open && !camera.silent)
                send(it->reply, 0x0111, it->sequence, it->tcpFd);
            it = pending.erase(it);
        }
        if (dropClients) {
            dropClients = false;
            closeTcpClients();
            pending.clear();
            arrived.notify_all();
        }
    }
}
