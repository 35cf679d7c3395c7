// SPDX-License-Identifier: GPL-2.0-or-later
// A backend whose cameras are the list its last scan found, which Open's index refers to.
// `Camera` describes one camera of the backend, with its DeviceInfo `info`.
#pragma once

#include "Backend.h"

#include <vector>

template <typename Camera> class ScannedBackend : public Backend
{
public:
    void initial() override { rescan(); }
    bool enumerate(std::vector<DeviceInfo> &devices) override
    {
        rescan();
        devices.clear();
        for (const Camera &camera : cameras)
            devices.push_back(camera.info);
        return true;
    }
    // The camera at Open's `index` in the last scan, if there is one.
    const Camera *camera(const char *index)
    {
        if (!scanned)
            rescan();
        const auto at = indexOf(index);
        return at && *at >= 0 && *at < int(cameras.size()) ? &cameras[size_t(*at)] : nullptr;
    }

protected:
    // The cameras there are now, in the order to list them.
    virtual std::vector<Camera> scan() = 0;

private:
    void rescan()
    {
        scanned = true;
        cameras = scan();
        for (size_t i = 0; i < cameras.size(); ++i)
            cameras[i].info.index = int32_t(i);
    }

    std::vector<Camera> cameras;
    bool scanned = false;
};
