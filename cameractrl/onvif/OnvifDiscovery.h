// SPDX-License-Identifier: GPL-2.0-or-later
// WS-Discovery: a Probe for network video transmitters, to the multicast group of the local
// network or to one address, and what the answers say of each camera.
#pragma once

#include "NetworkCameras.h"
#include "OnvifWire.h"

#include <string>
#include <vector>

class OnvifDiscovery
{
public:
    static constexpr int Port = 3702;
    // `host` empty: the multicast group, on the link only, out of each interface whose IPv4
    // address is in `via` (the system's choice when it is empty). False, with why, when
    // nothing could be sent.
    static bool probe(OnvifWire &wire, const std::string &host, int port, double seconds,
                      std::vector<NetworkCameras::Discovered> &found, std::string &error,
                      const std::vector<uint32_t> &via = {});
    // The cameras a ProbeMatches message describes.
    static std::vector<NetworkCameras::Discovered> matches(const XmlElement &envelope);
};
