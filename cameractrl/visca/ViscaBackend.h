// SPDX-License-Identifier: GPL-2.0-or-later
// Network cameras that speak VISCA, as the user configured them (see NetworkCameraFile.h):
// over UDP (VISCA over IP), TCP or a serial line.
#pragma once

#include "NetworkCameraFile.h"
#include "PresetStore.h"
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
    std::string snapshot, stream; // its view, from its line
};

class ViscaBackend final : public ScannedBackend<ViscaCamera>
{
public:
    using Camera = ViscaCamera;
    const char *name() const override { return "visca"; }
    std::unique_ptr<BaseDevice> createDevice() override;

    void retire(std::unique_ptr<ViscaWorker> worker);
    // What the panel keeps of the cameras' presets (names, speeds, where they were stored),
    // by camera name, in a file of its own beside the USB cameras': the cameras keep the
    // presets themselves.
    PresetStore &presets() { return presetStore; }

    // The VISCA cameras of `text` (the file's format), as NetworkCameraFile::parse.
    static std::vector<Camera> parse(const std::string &text, const std::string &origin,
                                     std::vector<std::string> *problems = nullptr);
    static Camera fromEntry(const NetworkCamera &entry);

private:
    std::vector<Camera> scan() override;

    std::mutex oversizeMutex;
    std::string oversizeSaid; // the version of the file last said to be too large
    PresetStore presetStore{"network-presets"};
    Retirement<ViscaWorker> retired; // last: waited for before anything else goes
};
