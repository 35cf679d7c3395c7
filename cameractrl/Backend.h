// SPDX-License-Identifier: GPL-2.0-or-later
// The seam between the library's entry points and the ways of reaching a camera.
#pragma once

#include "BaseDevice.h"

#include <memory>
#include <optional>
#include <vector>

class Backend
{
public:
    virtual ~Backend() = default;

    virtual const char *name() const = 0;
    // Refresh the backend's list of attached cameras, the one Open's index refers to.
    virtual void initial() = 0;
    virtual bool enumerate(std::vector<DeviceInfo> &devices) = 0;
    virtual std::unique_ptr<BaseDevice> createDevice() = 0;

    // The backend named by CAMERACTRL_BACKEND (or the default when unset), with the network
    // cameras after its own; nullptr for an unknown name, which is reported once on stderr.
    static Backend *selected();
    // Open's index: decimal text, nothing else.
    static std::optional<int> indexOf(const char *text);
    // Keeps a device until the process ends, and ends it before any backend.
    static BaseDevice *keep(std::unique_ptr<BaseDevice> device);
};
