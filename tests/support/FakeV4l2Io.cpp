#include "FakeV4l2Io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

bool relativeSpeed(uint32_t id)
{
    // The kernel's range of these can be lopsided; the fake takes what a fixed kernel takes.
    return id == V4L2_CID_PAN_SPEED || id == V4L2_CID_TILT_SPEED || id == V4L2_CID_ZOOM_CONTINUOUS;
}

template <size_t N> void copyText(__u8 (&to)[N], const std::string &from)
{
    std::memcpy(to, from.data(), std::min(from.size(), N - 1)); // stays NUL-terminated
}

} // namespace

FakeNode &FakeV4l2Io::node(const std::string &path)
{
    for (auto &device : devices)
        if (device.first == path)
            return device.second;
    devices.emplace_back(path, FakeNode{});
    return devices.back().second;
}

std::vector<std::string> FakeV4l2Io::nodes()
{
    std::vector<std::string> paths;
    for (const auto &device : devices)
        paths.push_back(device.first);
    return paths;
}

int FakeV4l2Io::open(const std::string &path)
{
    for (const auto &device : devices) {
        if (device.first != path)
            continue;
        if (device.second.openError)
            return -device.second.openError;
        open_[next] = path;
        return next++;
    }
    return -ENOENT;
}

void FakeV4l2Io::close(int fd)
{
    open_.erase(fd);
}

int FakeV4l2Io::ioctl(int fd, unsigned long request, void *argument)
{
    const auto found = open_.find(fd);
    if (found == open_.end())
        return -EBADF;
    FakeNode &device = node(found->second);
    if (device.vanished)
        return -ENODEV;

    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto *caps = static_cast<v4l2_capability *>(argument);
        *caps = {};
        copyText(caps->driver, "uvcvideo");
        copyText(caps->card, device.card);
        copyText(caps->bus_info, device.bus);
        caps->device_caps = device.caps;
        caps->capabilities = device.caps | V4L2_CAP_DEVICE_CAPS;
        return 0;
    }
    case VIDIOC_QUERY_EXT_CTRL: {
        auto *query = static_cast<v4l2_query_ext_ctrl *>(argument);
        const auto control = device.controls.find(query->id);
        if (control == device.controls.end())
            return -EINVAL;
        const FakeControl &c = control->second;
        query->type = c.type;
        query->minimum = c.minimum;
        query->maximum = c.maximum;
        query->step = 1;
        query->default_value = c.defaultValue;
        query->flags = c.flags;
        query->elems = 1;
        query->elem_size = 4;
        return 0;
    }
    case VIDIOC_G_CTRL: {
        auto *control = static_cast<v4l2_control *>(argument);
        const auto c = device.controls.find(control->id);
        if (c == device.controls.end() || c->second.flags & V4L2_CTRL_FLAG_DISABLED)
            return -EINVAL;
        if (c->second.flags & V4L2_CTRL_FLAG_WRITE_ONLY)
            return -EACCES;
        control->value = static_cast<int32_t>(c->second.value);
        return 0;
    }
    case VIDIOC_S_CTRL: {
        auto *control = static_cast<v4l2_control *>(argument);
        const auto c = device.controls.find(control->id);
        if (c == device.controls.end() || c->second.flags & V4L2_CTRL_FLAG_DISABLED)
            return -EINVAL;
        if (c->second.flags & V4L2_CTRL_FLAG_READ_ONLY)
            return -EACCES;
        const int64_t limit = relativeSpeed(control->id) ? c->second.maximum : 0;
        const int64_t low = relativeSpeed(control->id) ? -limit : c->second.minimum;
        if (c->second.type != V4L2_CTRL_TYPE_BUTTON &&
            (control->value < low || control->value > c->second.maximum))
            return -ERANGE;
        device.writes.emplace_back(control->id, control->value);
        c->second.value = control->value;
        return 0;
    }
    default:
        return -ENOTTY;
    }
}
