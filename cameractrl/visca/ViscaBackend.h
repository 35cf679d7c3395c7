// SPDX-License-Identifier: GPL-2.0-or-later
// Network cameras that speak VISCA, as the user configured them: one per line of
// $XDG_CONFIG_HOME/ptz-panel/visca (or ~/.config/ptz-panel/visca), and of CAMERACTRL_VISCA
// (lines there may also be separated by ";"):
//
//   NAME, TRANSPORT, HOST[, PORT]
//
// TRANSPORT is udp (VISCA over IP, port 52381 unless given), tcp (plain VISCA, port 5678
// unless given) or serial (HOST is the port's device, PORT its rate, 9600 unless given).
// "#" starts a comment; a line that cannot be used is reported once. Only the first 64 KiB of
// the file are read, and a larger file is reported once for each version of it that is read.
#pragma once

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
};

class ViscaBackend final : public ScannedBackend<ViscaCamera>
{
public:
    using Camera = ViscaCamera;
    static constexpr const char *Usage =
        "NAME, udp|tcp, HOST[, PORT] or NAME, serial, DEVICE[, RATE]";
    const char *name() const override { return "visca"; }
    std::unique_ptr<BaseDevice> createDevice() override;

    void retire(std::unique_ptr<ViscaWorker> worker);
    // What the panel keeps of the cameras' presets (names, speeds, where they were stored),
    // by camera name, in a file of its own beside the USB cameras': the cameras keep the
    // presets themselves.
    PresetStore &presets() { return presetStore; }

    // The cameras of `text` (the file's format); bad lines are reported once under `origin`,
    // or only added to `problems` when given.
    static std::vector<Camera> parse(const std::string &text, const std::string &origin,
                                     std::vector<std::string> *problems = nullptr);
    static std::string configPath();
    // The file's text, at most MaxFileBytes of it, cut after its last whole line; false when
    // the file is larger.
    static bool readConfig(const std::string &path, std::string &text);
    static constexpr size_t MaxFileBytes = 64 * 1024;

private:
    std::vector<Camera> scan() override;

    std::mutex oversizeMutex;
    std::string oversizeSaid; // the version of the file last said to be too large
    PresetStore presetStore{"network-presets"};
    Retirement<ViscaWorker> retired; // last: waited for before anything else goes
};
