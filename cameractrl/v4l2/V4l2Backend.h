// Real cameras through Video4Linux2: every node that captures video is one camera.
#pragma once

#include "Backend.h"
#include "PresetStore.h"
#include "V4l2Io.h"

#include <memory>
#include <string>

class V4l2Backend final : public Backend
{
public:
    explicit V4l2Backend(std::unique_ptr<V4l2Io> io);
    ~V4l2Backend() override;

    const char *name() const override { return "v4l2"; }
    void initial() override;
    bool enumerate(std::vector<DeviceInfo> &devices) override;
    std::unique_ptr<BaseDevice> createDevice() override;

    struct Camera
    {
        DeviceInfo info;      // path is the device node
        std::string identity; // stable across restarts: bus and card
    };
    // The camera at `index` of the last scan, if there is one.
    const Camera *camera(int index);
    V4l2Io &io() { return *system; }
    PresetStore &presets() { return store; }

private:
    void scan();

    std::unique_ptr<V4l2Io> system;
    PresetStore store;
    std::vector<Camera> cameras;
    bool scanned = false;
};
