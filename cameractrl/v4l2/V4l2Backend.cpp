// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2Backend.h"
#include "Report.h"
#include "V4l2Device.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

namespace {

std::string text(const __u8 *bytes, size_t size)
{
    const auto *chars = reinterpret_cast<const char *>(bytes);
    return std::string(chars, strnlen(chars, size));
}

} // namespace

V4l2Backend::V4l2Backend(std::shared_ptr<V4l2Io> io) : system(std::move(io)) {}

std::unique_ptr<BaseDevice> V4l2Backend::createDevice()
{
    return std::make_unique<V4l2Device>(*this);
}

V4l2Worker::Stores V4l2Backend::stores() const
{
    const char *remember = std::getenv("CAMERACTRL_REMEMBER");
    const bool off = remember && std::strcmp(remember, "0") == 0;
    return {presets, off ? nullptr : images};
}

void V4l2Backend::retire(std::unique_ptr<V4l2Worker> worker)
{
    retired.add(std::move(worker));
}

std::vector<V4l2Camera> V4l2Backend::scan()
{
    std::vector<Camera> found;
    std::set<std::string> devices; // one entry per physical camera
    for (const std::string &node : system->nodes()) {
        // Only what the driver answers itself: nothing here waits for a camera.
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
        // A UVC camera also has a metadata node; only a node that captures video counts.
        if (!(device & (V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_VIDEO_CAPTURE_MPLANE)))
            continue;
        const std::string card = text(caps.card, sizeof caps.card);
        const std::string bus = text(caps.bus_info, sizeof caps.bus_info);
        const UsbCamera usb = system->usb(node);
        if (!devices.insert(usb.found ? "usb " + usb.device : "bus " + bus).second)
            continue;
        Camera camera;
        camera.info.name = card;
        camera.info.path = node;
        camera.olderIdentity = bus + " " + card;
        // A serial number follows the camera to any port; without one, the port it is in.
        camera.identity = usb.found && !usb.serial.empty()
                              ? "usb " + usb.vendor + ":" + usb.product + " " + usb.serial
                              : camera.olderIdentity;
        camera.ptz = usb.ptz;
        camera.streams = device & V4L2_CAP_STREAMING;
        found.push_back(camera);
    }
    // PTZ cameras first, so the panel opens one rather than a laptop's webcam.
    std::stable_sort(found.begin(), found.end(), [](const Camera &a, const Camera &b) {
        return a.ptz != b.ptz ? a.ptz : a.identity < b.identity;
    });
    std::map<std::string, int> seen; // card name -> cameras with it so far
    for (size_t i = 0; i < found.size(); ++i) {
        Camera &camera = found[i];
        const int twin = ++seen[camera.info.name];
        if (twin > 1)
            camera.info.name += " (" + std::to_string(twin) + ")";
    }
    return found;
}
