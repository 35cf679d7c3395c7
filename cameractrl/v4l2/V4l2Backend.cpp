#include "V4l2Backend.h"
#include "Report.h"
#include "V4l2Device.h"

#include <linux/videodev2.h>

#include <cstring>
#include <map>

namespace {

std::string text(const __u8 *bytes, size_t size)
{
    const auto *chars = reinterpret_cast<const char *>(bytes);
    return std::string(chars, strnlen(chars, size));
}

} // namespace

V4l2Backend::V4l2Backend(std::unique_ptr<V4l2Io> io) : system(std::move(io)) {}

V4l2Backend::~V4l2Backend() = default;

void V4l2Backend::initial()
{
    scan();
}

bool V4l2Backend::enumerate(std::vector<DeviceInfo> &devices)
{
    scan();
    devices.clear();
    for (const Camera &camera : cameras)
        devices.push_back(camera.info);
    return true;
}

std::unique_ptr<BaseDevice> V4l2Backend::createDevice()
{
    return std::make_unique<V4l2Device>(*this);
}

const V4l2Backend::Camera *V4l2Backend::camera(int index)
{
    if (!scanned)
        scan();
    if (index < 0 || index >= static_cast<int>(cameras.size()))
        return nullptr;
    return &cameras[index];
}

void V4l2Backend::scan()
{
    scanned = true;
    cameras.clear();
    std::map<std::string, int> seen; // card name -> cameras with it so far
    for (const std::string &node : system->nodes()) {
        const int fd = system->open(node);
        if (fd < 0) {
            reportOnce("cannot open " + node + ": " + std::strerror(-fd) +
                       (fd == -EACCES ? " (is this user in the video group?)" : ""));
            continue;
        }
        v4l2_capability caps = {};
        const int result = system->ioctl(fd, VIDIOC_QUERYCAP, &caps);
        system->close(fd);
        if (result < 0)
            continue;
        const __u32 device =
            caps.capabilities & V4L2_CAP_DEVICE_CAPS ? caps.device_caps : caps.capabilities;
        // A UVC camera also has a metadata node; only the node that captures video counts.
        if (!(device & (V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_VIDEO_CAPTURE_MPLANE)))
            continue;
        Camera camera;
        const std::string card = text(caps.card, sizeof caps.card);
        const int twin = ++seen[card];
        camera.info.index = static_cast<int32_t>(cameras.size());
        camera.info.name = twin == 1 ? card : card + " (" + std::to_string(twin) + ")";
        camera.info.path = node;
        camera.identity = text(caps.bus_info, sizeof caps.bus_info) + " " + card;
        cameras.push_back(camera);
    }
}
