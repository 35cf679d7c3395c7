// Real cameras through Video4Linux2: one entry per physical camera (the first of its nodes
// that captures video), cameras with pan, tilt or zoom first.
#pragma once

#include "Backend.h"
#include "CameraStore.h"
#include "PresetStore.h"
#include "V4l2Io.h"
#include "V4l2Worker.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class V4l2Backend final : public Backend
{
public:
    explicit V4l2Backend(std::shared_ptr<V4l2Io> io);
    ~V4l2Backend() override; // waits for the workers of closed cameras to end

    const char *name() const override { return "v4l2"; }
    void initial() override;
    bool enumerate(std::vector<DeviceInfo> &devices) override;
    std::unique_ptr<BaseDevice> createDevice() override;

    struct Camera
    {
        DeviceInfo info;           // path is the device node
        std::string identity;      // USB vendor, product and serial; else bus and card
        std::string olderIdentity; // bus and card, as presets were kept before serials
        bool ptz = false;
    };
    // The camera at `index` of the last scan, if there is one.
    const Camera *camera(int index);
    const std::shared_ptr<V4l2Io> &io() const { return system; }
    V4l2Worker::Stores stores() const;
    // Takes a finished camera's worker, which ends on its own.
    void retire(std::unique_ptr<V4l2Worker> worker);

private:
    void scan();

    const std::shared_ptr<V4l2Io> system;
    const std::shared_ptr<PresetStore> presets = std::make_shared<PresetStore>();
    const std::shared_ptr<CameraStore> images = std::make_shared<CameraStore>("image");
    std::vector<Camera> cameras;
    bool scanned = false;
    std::mutex retiredMutex;
    std::vector<std::unique_ptr<V4l2Worker>> retired;
};
