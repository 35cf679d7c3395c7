// SPDX-License-Identifier: GPL-2.0-or-later
// The cameras of several backends as one list, in the order of the backends: the attached
// cameras first, then the network cameras the user configured. Open's index is routed to
// the backend that listed the camera.
#pragma once

#include "Backend.h"

#include <mutex>
#include <optional>
#include <utility>
#include <vector>

class CombinedBackend final : public Backend
{
public:
    explicit CombinedBackend(std::vector<Backend *> parts);

    const char *name() const override; // the first part's: it decides how cameras are reached
    void initial() override;
    bool enumerate(std::vector<DeviceInfo> &devices) override;
    // A device per part, behind one TraceDevice.
    std::unique_ptr<BaseDevice> createDevice() override;

    // The part, and its own index, of the camera at `index` of the last listing.
    std::optional<std::pair<size_t, int>> route(int index) const;

private:
    const std::vector<Backend *> parts;
    mutable std::mutex mutex;
    std::vector<size_t> counts; // each part's cameras at the last listing
};
