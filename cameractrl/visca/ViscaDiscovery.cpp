// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaDiscovery.h"
#include "NetworkCameraFile.h"
#include "ViscaProtocol.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = ViscaDiscovery::Clock;
using Discovered = NetworkCameras::Discovered;

constexpr auto Resend = std::chrono::milliseconds(400);
constexpr int Sends = 3; // datagrams per question, lost ones included

const std::string SetupInquiry = "\x02"
                                 "ENQ:network\xff\x03";

// Closes its descriptor however the probe ends.
struct Socket
{
    int fd = -1;
    explicit Socket(int descriptor) : fd(descriptor) {}
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    Socket(Socket &&other) noexcept : fd(other.fd) { other.fd = -1; }
    Socket &operator=(Socket &&other) noexcept
    {
        std::swap(fd, other.fd);
        return *this;
    }
    ~Socket()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

int millisecondsUntil(Clock::time_point when)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, 1000));
}

std::string dotted(uint32_t address)
{
    in_addr a = {};
    a.s_addr = htonl(address);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

std::string hex4(int value)
{
    static const char *digits = "0123456789abcdef";
    std::string out = "0x";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[(value >> shift) & 0xf];
    return out;
}

Discovered camera(const std::string &name, const std::string &host, bool udp, int port,
                  const std::string &about)
{
    NetworkCamera entry;
    entry.info.name = name;
    entry.kind = udp ? NetworkCamera::Udp : NetworkCamera::Tcp;
    entry.host = host;
    entry.port = port;
    Discovered d;
    d.name = name;
    d.address = host;
    d.port = port;
    d.ptz = true;
    d.line = NetworkCameraFile::line(entry);
    d.about = about;
    return d;
}

// One question to the host: the version inquiry over one transport and port.
struct Question
{
    bool udp = true;
    int port = 0;
    Socket socket{-1};
    bool connecting = false, over = false, answered = false;
    int sent = 0;
    Clock::time_point again;
    Visca::Bytes partial; // TCP: a message not yet ended
    std::string identity;

    // A VISCA reply to the inquiry: its seven bytes, or a refusal, which only a VISCA
    // camera sends too.
    void take(const Visca::Bytes &message)
    {
        const auto reply = Visca::parse(message.data(), message.size());
        if (!reply || reply->kind == Visca::Reply::Ack)
            return;
        if (reply->kind == Visca::Reply::Completion && reply->data.size() != 7)
            return;
        answered = over = true;
        if (reply->kind == Visca::Reply::Completion)
            identity = ViscaDiscovery::identity(reply->data);
    }
};

bool ask(Question &q)
{
    const Visca::Bytes inquiry = Visca::inquiry(0x00, 0x02);
    const Visca::Bytes bytes = q.udp ? Visca::overIp(Visca::Inquiry, 0, inquiry) : inquiry;
    q.again = Clock::now() + Resend;
    ++q.sent;
    return ::send(q.socket.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
}

void receive(Question &q)
{
    uint8_t buffer[512];
    const ssize_t got = ::recv(q.socket.fd, buffer, sizeof buffer, 0);
    if (got < 0) {
        // Refused: nothing listens there.
        q.over = errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR;
        return;
    }
    if (q.udp) {
        const auto packet = Visca::parsePacket(buffer, size_t(got));
        if (packet && packet->type == Visca::ViscaReply && packet->sequence == 0)
            q.take(packet->payload);
        return;
    }
    if (got == 0) {
        q.over = true;
        return;
    }
    for (ssize_t i = 0; i < got && !q.over; ++i) {
        q.partial.push_back(buffer[i]);
        if (buffer[i] == 0xff) {
            q.take(q.partial);
            q.partial.clear();
        } else if (q.partial.size() >= Visca::MaxMessage) {
            q.over = true; // no VISCA message is that long: not a camera
        }
    }
}

} // namespace

bool ViscaDiscovery::interfaces(const std::vector<std::string> &names)
{
    return !names.empty() && std::all_of(names.begin(), names.end(), [](const std::string &n) {
        return !n.empty() && if_nametoindex(n.c_str()) != 0;
    });
}

bool ViscaDiscovery::subnets(const std::vector<std::string> &interfaces, std::vector<Subnet> &out,
                             std::string &error)
{
    ifaddrs *all = nullptr;
    if (getifaddrs(&all) != 0) {
        error = std::string("cannot list the network interfaces: ") + std::strerror(errno);
        return false;
    }
    const auto named = [&](const char *name) {
        return std::find(interfaces.begin(), interfaces.end(), name) != interfaces.end();
    };
    for (const ifaddrs *i = all; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !i->ifa_netmask ||
            !(i->ifa_flags & IFF_UP))
            continue;
        if (interfaces.empty() ? (i->ifa_flags & IFF_LOOPBACK) != 0 : !named(i->ifa_name))
            continue;
        const auto v4 = [](const sockaddr *a) {
            return ntohl(reinterpret_cast<const sockaddr_in *>(a)->sin_addr.s_addr);
        };
        Subnet s;
        s.interface = i->ifa_name;
        s.address = v4(i->ifa_addr);
        s.mask = v4(i->ifa_netmask);
        // Its own subnet's broadcast, never the limited one (which goes wherever the system
        // routes it); an interface without one is asked at its own address.
        s.target =
            (i->ifa_flags & IFF_BROADCAST) && i->ifa_broadaddr ? v4(i->ifa_broadaddr) : s.address;
        out.push_back(s);
    }
    freeifaddrs(all);
    for (const std::string &name : interfaces)
        if (std::none_of(out.begin(), out.end(),
                         [&](const Subnet &s) { return s.interface == name; })) {
            error = name + " is no network interface with an IPv4 address that is up";
            return false;
        }
    return true;
}

std::optional<std::map<std::string, std::string>> ViscaDiscovery::setupFields(const uint8_t *data,
                                                                              size_t size)
{
    // 02, then fields "KEY:VALUE" each ended by FF, then 03; the text is ASCII.
    if (size < 3 || size > 1024 || data[0] != 0x02 || data[size - 1] != 0x03 ||
        data[size - 2] != 0xff)
        return std::nullopt;
    std::map<std::string, std::string> fields;
    std::string field;
    for (size_t i = 1; i + 1 < size; ++i) {
        if (data[i] != 0xff) {
            if (data[i] < 0x20 || data[i] > 0x7e)
                return std::nullopt;
            field += char(data[i]);
            continue;
        }
        const auto colon = field.find(':');
        if (colon == std::string::npos || colon == 0)
            return std::nullopt;
        fields[field.substr(0, colon)] = field.substr(colon + 1);
        field.clear();
    }
    return fields;
}

std::string ViscaDiscovery::identity(const std::vector<uint8_t> &answer)
{
    if (answer.size() < 4)
        return {};
    const int vendor = answer[0] << 8 | answer[1], model = answer[2] << 8 | answer[3];
    // Sony numbers its network cameras 0001 and its block cameras 0020.
    const std::string maker =
        vendor == 0x0001 || vendor == 0x0020 ? std::string("Sony") : "maker " + hex4(vendor);
    return maker + ", model " + hex4(model);
}

bool ViscaDiscovery::broadcast(const std::vector<Subnet> &subnets, int port,
                               Clock::time_point until, std::vector<Discovered> &found,
                               std::string &error)
{
    if (subnets.empty()) {
        error = "no network interface but the loopback is up";
        return false;
    }
    const Socket s(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    const int on = 1, hops = 1; // never past a router, even to a misconfigured one
    if (s.fd < 0 || setsockopt(s.fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        setsockopt(s.fd, IPPROTO_IP, IP_TTL, &hops, sizeof hops) != 0) {
        error = std::string("cannot broadcast: ") + std::strerror(errno);
        return false;
    }
    // Cameras answer to the broadcast address at the same port: listen there if it is free,
    // else take what comes back to the port the inquiry left from.
    setsockopt(s.fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(uint16_t(port));
    if (::bind(s.fd, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
        local.sin_port = 0;
        ::bind(s.fd, reinterpret_cast<sockaddr *>(&local), sizeof local);
    }
    int sent = 0;
    Clock::time_point again = Clock::now();
    bool any = false;
    while (Clock::now() < until && found.size() < MostFound) {
        if (sent < Sends && Clock::now() >= again) {
            for (const Subnet &subnet : subnets) {
                sockaddr_in to = {};
                to.sin_family = AF_INET;
                to.sin_addr.s_addr = htonl(subnet.target);
                to.sin_port = htons(uint16_t(port));
                any = ::sendto(s.fd, SetupInquiry.data(), SetupInquiry.size(), 0,
                               reinterpret_cast<sockaddr *>(&to), sizeof to) > 0 ||
                      any;
            }
            if (sent == 0 && !any) {
                error = std::string("cannot broadcast: ") + std::strerror(errno);
                return false;
            }
            ++sent;
            again = Clock::now() + Resend;
        }
        pollfd p = {s.fd, POLLIN, 0};
        const Clock::time_point next = sent < Sends ? std::min(again, until) : until;
        if (::poll(&p, 1, millisecondsUntil(next)) <= 0)
            continue;
        uint8_t buffer[1024];
        sockaddr_in from = {};
        socklen_t size = sizeof from;
        const ssize_t got =
            ::recvfrom(s.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from), &size);
        if (got <= 0 || from.sin_family != AF_INET)
            continue;
        const uint32_t source = ntohl(from.sin_addr.s_addr);
        // Only from within a subnet asked, and a camera that says where it is says it truly.
        if (std::none_of(subnets.begin(), subnets.end(), [&](const Subnet &subnet) {
                return (source & subnet.mask) == (subnet.address & subnet.mask);
            }))
            continue;
        const auto fields = setupFields(buffer, size_t(got));
        if (!fields || fields->count("MAC") == 0 || fields->at("MAC").empty())
            continue;
        const std::string address = dotted(source);
        if (fields->count("IPADR") && fields->at("IPADR") != address)
            continue;
        if (std::any_of(found.begin(), found.end(),
                        [&](const Discovered &d) { return d.address == address; }))
            continue;
        std::string name = fields->count("NAME") ? fields->at("NAME") : std::string();
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        const std::string model = fields->count("MODEL") ? fields->at("MODEL") : std::string();
        found.push_back(camera(name.empty() ? address : name, address, true, 52381,
                               "VISCA over IP" + (model.empty() ? "" : ", model " + model)));
    }
    return true;
}

bool ViscaDiscovery::probe(const std::string &host, std::optional<int> port,
                           Clock::time_point until, std::vector<Discovered> &found,
                           std::string &error)
{
    addrinfo hints = {}, *resolved = nullptr;
    hints.ai_socktype = SOCK_DGRAM;
    if (const int e = getaddrinfo(host.c_str(), nullptr, &hints, &resolved)) {
        error = host + ": " + gai_strerror(e);
        return false;
    }
    sockaddr_storage address = {};
    const socklen_t length = resolved->ai_addrlen;
    std::memcpy(&address, resolved->ai_addr, length);
    freeaddrinfo(resolved);

    std::vector<Question> questions;
    if (port) {
        questions.resize(2);
        questions[0].port = questions[1].port = *port;
        questions[1].udp = false;
    } else {
        questions.resize(3);
        questions[0].port = questions[1].port = 52381;
        questions[1].udp = questions[2].udp = false;
        questions[2].port = 5678;
    }
    for (Question &q : questions) {
        sockaddr_storage to = address;
        const uint16_t p = htons(uint16_t(q.port));
        if (to.ss_family == AF_INET6)
            reinterpret_cast<sockaddr_in6 *>(&to)->sin6_port = p;
        else
            reinterpret_cast<sockaddr_in *>(&to)->sin_port = p;
        q.socket = Socket(::socket(
            to.ss_family, (q.udp ? SOCK_DGRAM : SOCK_STREAM) | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        // Connected, the socket takes nothing from another address than the one asked.
        const bool linked =
            q.socket.fd >= 0 &&
            (::connect(q.socket.fd, reinterpret_cast<sockaddr *>(&to), length) == 0 ||
             (!q.udp && errno == EINPROGRESS));
        q.connecting = linked && !q.udp;
        q.over = !linked || (q.udp && !ask(q));
    }
    // The first in that order that answers; one still asked holds back those after it.
    const auto chosen = [&]() -> const Question * {
        for (const Question &q : questions) {
            if (q.answered)
                return &q;
            if (!q.over)
                return nullptr;
        }
        return nullptr;
    };
    const auto settled = [&] {
        return chosen() || std::all_of(questions.begin(), questions.end(),
                                       [](const Question &q) { return q.over; });
    };
    while (Clock::now() < until && !settled()) {
        std::vector<pollfd> watched;
        Clock::time_point next = until;
        for (Question &q : questions) {
            if (q.over)
                continue;
            if (q.udp && q.sent < Sends) {
                if (Clock::now() >= q.again)
                    ask(q);
                next = std::min(next, q.again);
            }
            watched.push_back({q.socket.fd, short(q.connecting ? POLLOUT : POLLIN), 0});
        }
        if (::poll(watched.data(), watched.size(), millisecondsUntil(next)) <= 0)
            continue;
        size_t w = 0;
        for (Question &q : questions) {
            if (q.over)
                continue;
            const short events = watched[w++].revents;
            if (!events)
                continue;
            if (q.connecting) {
                int failure = 0;
                socklen_t size = sizeof failure;
                getsockopt(q.socket.fd, SOL_SOCKET, SO_ERROR, &failure, &size);
                q.connecting = false;
                q.over = failure != 0 || !ask(q);
                continue;
            }
            receive(q);
        }
    }
    if (const Question *q = chosen())
        found.push_back(camera(host, host, q->udp, q->port,
                               std::string(q->udp ? "VISCA over IP" : "VISCA over TCP") +
                                   (q->identity.empty() ? "" : ", " + q->identity)));
    return true;
}
