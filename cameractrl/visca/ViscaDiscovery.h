// SPDX-License-Identifier: GPL-2.0-or-later
// Finding VISCA cameras. On a subnet: the setup protocol's network inquiry, broadcast to UDP
// 52380, which a camera answers (to that port, on the broadcast address) with its address,
// model and name. At one host: the version inquiry, over VISCA over IP (UDP) and plain VISCA
// on TCP, which a camera answers with its maker's and model's numbers. Only what answers as a
// VISCA camera, from where it was asked, is found; every wait ends by the caller's deadline.
#pragma once

#include "NetworkCameras.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class ViscaDiscovery
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int SetupPort = 52380;
    static constexpr size_t MostFound = 64;

    // An IPv4 subnet a broadcast goes to: the interface's broadcast address, or its own
    // address where it has none (the loopback); answers come from within address/mask.
    struct Subnet
    {
        std::string interface;
        uint32_t target = 0, address = 0, mask = 0; // host order
    };
    // The subnets of the interfaces named, or of every one that is up (but the loopback)
    // when none is; false, with why, for a name that is no interface of this machine.
    static bool subnets(const std::vector<std::string> &interfaces, std::vector<Subnet> &out,
                        std::string &error);
    // True when every one of `names` is an interface of this machine.
    static bool interfaces(const std::vector<std::string> &names);

    // Broadcasts the network inquiry to `subnets` at `port` and takes the answers until
    // `until`; false, with why, when it could not be sent.
    static bool broadcast(const std::vector<Subnet> &subnets, int port, Clock::time_point until,
                          std::vector<NetworkCameras::Discovered> &found, std::string &error);
    // Asks `host` the version inquiry on `port` over UDP and TCP, or else on UDP 52381, TCP
    // 52381 and TCP 5678, until `until`, and adds the first of those that answers; false,
    // with why, when the host cannot be resolved.
    static bool probe(const std::string &host, std::optional<int> port, Clock::time_point until,
                      std::vector<NetworkCameras::Discovered> &found, std::string &error);

    // The fields ("MAC", "NAME" ...) of an answer to the network inquiry; none when it is not
    // one.
    static std::optional<std::map<std::string, std::string>> setupFields(const uint8_t *data,
                                                                         size_t size);
    // What a version inquiry's answer (its seven bytes) says of the camera: "Sony model 0x0519".
    static std::string identity(const std::vector<uint8_t> &answer);
};
