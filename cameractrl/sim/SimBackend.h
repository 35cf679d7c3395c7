// SPDX-License-Identifier: GPL-2.0-or-later
// Simulated cameras: one built-in camera, or one per "*.cam" file in CAMERACTRL_SIM_DIR.
#pragma once

#include "Backend.h"
#include "SimCamera.h"

#include <map>
#include <memory>
#include <string>

class SimBackend final : public Backend
{
public:
    const char *name() const override { return "sim"; }
    void initial() override;
    bool enumerate(std::vector<DeviceInfo> &devices) override;
    std::unique_ptr<BaseDevice> createDevice() override;

    // The camera at `index` of the last scan, or nullptr when it is not there or refuses;
    // `path` is its file ("" for the built-in camera).
    std::shared_ptr<SimCamera> open(int index, std::string &path);

private:
    bool scan();

    std::vector<DeviceInfo> attached;
    bool scanned = false;
    // Keyed by file path: a camera keeps its state across close, open and re-plugging.
    std::map<std::string, std::shared_ptr<SimCamera>> cameras;
};
