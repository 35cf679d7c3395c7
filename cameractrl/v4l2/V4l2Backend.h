// SPDX-License-Identifier: GPL-2.0-or-later
// Real cameras through Video4Linux2: one entry per physical camera (the first of its nodes
// that captures video), cameras with pan, tilt or zoom first.
#pragma once

#include "CameraStore.h"
#include "PresetStore.h"
#include "Retirement.h"
#include "ScannedBackend.h"
#include "V4l2Io.h"
#include "V4l2Worker.h"

#include <memory>
#include <string>
#include <vector>

struct V4l2Camera
{
    DeviceInfo info;           // path is the device node
    std::string identity;      // USB vendor, product and serial; else bus and card
    std::string olderIdentity; // bus and card, as presets were kept before serials
    bool ptz = false;
    bool streams = false; // its node streams video: pictures can be taken
};

class V4l2Backend final : public ScannedBackend<V4l2Camera>
{
public:
    using Camera = V4l2Camera;
    explicit V4l2Backend(std::shared_ptr<V4l2Io> io);

    const char *name() const override { return "v4l2"; }
    std::unique_ptr<BaseDevice> createDevice() override;

    const std::shared_ptr<V4l2Io> &io() const { return system; }
    V4l2Worker::Stores stores() const;
    // Takes a finished camera's worker, which ends on its own.
    void retire(std::unique_ptr<V4l2Worker> worker);

private:
    std::vector<Camera> scan() override;

    const std::shared_ptr<V4l2Io> system;
    const std::shared_ptr<PresetStore> presets = std::make_shared<PresetStore>();
    const std::shared_ptr<CameraStore> images = std::make_shared<CameraStore>("image");
    Retirement<V4l2Worker> retired; // last: waited for before anything else goes
};
