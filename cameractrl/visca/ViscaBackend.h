// SPDX-License-Identifier: GPL-2.0-or-later
// Network cameras that speak VISCA, as the user configured them (see NetworkCameraFile.h):
// over UDP (VISCA over IP), TCP or a serial line.
#pragma once

#include "NetworkCameraFile.h"
#include "Retirement.h"
#include "ScannedBackend.h"
#include "ViscaLink.h"
#include "ViscaWorker.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct ViscaCamera
{
    DeviceInfo info; // path: "visca-udp://host:port", "visca-tcp://…", "visca-serial://dev:rate"
    ViscaLink::Transport transport = ViscaLink::Udp;
    std::string host;
    int port = 0;
};

class ViscaBackend final : public ScannedBackend<ViscaCamera>
{
public:
    using Camera = ViscaCamera;
    const char *name() const override { return "visca"; }
    std::unique_ptr<BaseDevice> createDevice() override;

    void retire(std::unique_ptr<ViscaWorker> worker);

    // The VISCA cameras of `text` (the file's format), as NetworkCameraFile::parse.
    static std::vector<Camera> parse(const std::string &text, const std::string &origin,
                                     std::vector<std::string> *problems = nullptr);
    static Camera fromEntry(const NetworkCamera &entry);

private:
    std::vector<Camera> scan() override;

    Retirement<ViscaWorker> retired; // last: waited for before anything else goes
};
