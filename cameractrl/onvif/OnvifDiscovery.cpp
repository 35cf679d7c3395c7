// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifDiscovery.h"
#include "NetworkCameraFile.h"
#include "Numbers.h"
#include "OnvifSoap.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string percentDecoded(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(uint8_t(text[i + 1])) &&
            std::isxdigit(uint8_t(text[i + 2]))) {
            out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string uuid(OnvifWire &wire)
{
    const std::string raw = wire.randomBytes(16);
    static const char *digits = "0123456789abcdef";
    std::string out = "urn:uuid:";
    for (size_t i = 0; i < raw.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            out += '-';
        out += digits[uint8_t(raw[i]) >> 4];
        out += digits[uint8_t(raw[i]) & 15];
    }
    return out;
}

} // namespace

std::vector<NetworkCameras::Discovered> OnvifDiscovery::matches(const XmlElement &envelope)
{
    std::vector<NetworkCameras::Discovered> found;
    const XmlElement *body = Onvif::body(envelope);
    if (!body || body->name != "ProbeMatches")
        return found;
    std::vector<const XmlElement *> list;
    body->findAll("ProbeMatch", list);
    for (const XmlElement *match : list) {
        NetworkCameras::Discovered camera;
        std::istringstream addresses(match->textAt({"XAddrs"}));
        for (std::string url; addresses >> url;) {
            // http://HOST[:PORT]/...; an IPv6 host comes in brackets.
            if (url.rfind("http://", 0) != 0)
                continue;
            std::string authority = url.substr(7, url.find('/', 7) - 7);
            const auto bracket = authority.find(']');
            const auto colon = authority.rfind(':');
            if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
                camera.port = int(Numbers::whole(authority.substr(colon + 1)).value_or(0));
                authority.resize(colon);
            }
            if (authority.size() > 1 && authority.front() == '[')
                authority = authority.substr(1, authority.size() - 2);
            camera.address = authority;
            break;
        }
        if (camera.address.empty() || camera.port < 1 || camera.port > 65535)
            continue;
        std::istringstream scopes(match->textAt({"Scopes"}));
        for (std::string scope; scopes >> scope;) {
            const std::string name = "onvif://www.onvif.org/name/";
            if (scope.rfind(name, 0) == 0)
                camera.name = percentDecoded(scope.substr(name.size()));
            if (scope == "onvif://www.onvif.org/type/ptz")
                camera.ptz = true;
        }
        // A name may come from anywhere: no control characters reach the terminal or file.
        camera.name.erase(std::remove_if(camera.name.begin(), camera.name.end(),
                                         [](char c) { return uint8_t(c) < 0x20 || c == 0x7f; }),
                          camera.name.end());
        if (camera.name.empty())
            camera.name = camera.address;
        NetworkCamera entry;
        entry.info.name = camera.name;
        entry.kind = NetworkCamera::Onvif;
        entry.host = camera.address;
        entry.port = camera.port;
        camera.line = NetworkCameraFile::line(entry);
        if (!camera.ptz)
            camera.about = "says no PTZ";
        const bool seen = std::any_of(found.begin(), found.end(), [&](const auto &f) {
            return f.address == camera.address && f.port == camera.port;
        });
        if (!seen)
            found.push_back(camera);
    }
    return found;
}

bool OnvifDiscovery::probe(OnvifWire &wire, const std::string &host, int port, double seconds,
                           std::vector<NetworkCameras::Discovered> &found, std::string &error,
                           const std::vector<uint32_t> &via)
{
    addrinfo hints = {}, *target = nullptr;
    hints.ai_socktype = SOCK_DGRAM;
    const std::string to = host.empty() ? "239.255.255.250" : host;
    if (const int e = getaddrinfo(to.c_str(), std::to_string(port).c_str(), &hints, &target)) {
        error = to + ": " + gai_strerror(e);
        return false;
    }
    const int fd = ::socket(target->ai_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const std::string message =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><s:Envelope "
        "xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\" "
        "xmlns:a=\"http://schemas.xmlsoap.org/ws/2004/08/addressing\" "
        "xmlns:d=\"http://schemas.xmlsoap.org/ws/2005/04/discovery\" "
        "xmlns:dn=\"http://www.onvif.org/ver10/network/wsdl\"><s:Header><a:MessageID>" +
        uuid(wire) +
        "</a:MessageID><a:To>urn:schemas-xmlsoap-org:ws:2005:04:discovery</a:To><a:Action>"
        "http://schemas.xmlsoap.org/ws/2005/04/discovery/Probe</a:Action></s:Header><s:Body>"
        "<d:Probe><d:Types>dn:NetworkVideoTransmitter</d:Types></d:Probe></s:Body></s:Envelope>";
    const int hops = 1;
    if (fd >= 0 && host.empty())
        setsockopt(fd, IPPROTO_IP, IP_MULTICAST_TTL, &hops, sizeof hops);
    bool sent = false;
    for (size_t i = 0; fd >= 0 && i < std::max<size_t>(via.size(), 1); ++i) {
        if (!via.empty()) {
            in_addr out = {};
            out.s_addr = htonl(via[i]);
            setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &out, sizeof out);
        }
        sent = ::sendto(fd, message.data(), message.size(), 0, target->ai_addr,
                        target->ai_addrlen) == ssize_t(message.size()) ||
               sent;
    }
    freeaddrinfo(target);
    if (!sent) {
        error = "cannot send a probe to " + to + ": " + std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
    for (auto now = Clock::now(); now < until; now = Clock::now()) {
        pollfd p = {fd, POLLIN, 0};
        const int wait = int(std::chrono::ceil<std::chrono::milliseconds>(until - now).count());
        if (::poll(&p, 1, wait) <= 0)
            continue;
        std::string packet(65536, '\0');
        const ssize_t n = ::recv(fd, packet.data(), packet.size(), 0);
        if (n <= 0)
            continue;
        packet.resize(size_t(n));
        XmlElement envelope;
        std::string ignored;
        if (!wire.parse(packet, envelope, ignored))
            continue; // what is not an answer is not listed
        for (const auto &camera : matches(envelope))
            if (std::none_of(found.begin(), found.end(), [&](const auto &f) {
                    return f.address == camera.address && f.port == camera.port;
                }))
                found.push_back(camera);
        if (!host.empty() && !found.empty())
            break; // the one asked has answered
    }
    ::close(fd);
    return true;
}
