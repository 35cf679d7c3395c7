// SPDX-License-Identifier: GPL-2.0-or-later
#include "CombinedBackend.h"
#include "TraceDevice.h"

CombinedBackend::CombinedBackend(std::vector<Backend *> all)
    : parts(std::move(all)), counts(parts.size(), 0)
{}

const char *CombinedBackend::name() const
{
    return parts.front()->name();
}

void CombinedBackend::initial()
{
    // The parts' lists are what Open's index refers to: listing them is refreshing them.
    std::vector<DeviceInfo> devices;
    enumerate(devices);
}

bool CombinedBackend::enumerate(std::vector<DeviceInfo> &devices)
{
    devices.clear();
    std::vector<size_t> found(parts.size(), 0);
    bool ok = false;
    for (size_t part = 0; part < parts.size(); ++part) {
        std::vector<DeviceInfo> own;
        // The first part answers for the list; the others only add cameras.
        const bool listed = parts[part]->enumerate(own);
        if (part == 0)
            ok = listed;
        if (!listed)
            continue;
        for (DeviceInfo &camera : own) {
            camera.index = int32_t(devices.size());
            devices.push_back(std::move(camera));
        }
        found[part] = own.size();
        ok = ok || !own.empty();
    }
    const std::lock_guard<std::mutex> lock(mutex);
    counts = found;
    return ok;
}

std::unique_ptr<BaseDevice> CombinedBackend::createDevice()
{
    std::vector<std::unique_ptr<BaseDevice>> devices;
    for (Backend *part : parts)
        devices.push_back(part->createDevice());
    return std::make_unique<TraceDevice>(std::move(devices),
                                         [this](int index) { return route(index); });
}

std::optional<std::pair<size_t, int>> CombinedBackend::route(int index) const
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (index < 0)
        return std::nullopt;
    for (size_t part = 0; part < counts.size(); ++part) {
        if (size_t(index) < counts[part])
            return std::make_pair(part, index);
        index -= int(counts[part]);
    }
    return std::nullopt;
}
