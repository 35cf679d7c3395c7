#include "FakeV4l2Io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

template <size_t N> void copyText(__u8 (&to)[N], const std::string &from)
{
    std::memcpy(to, from.data(), std::min(from.size(), N - 1)); // stays NUL-terminated
}

} // namespace

FakeNode &FakeV4l2Io::node(const std::string &path)
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    for (auto &device : devices)
        if (device.first == path)
            return device.second;
    devices.emplace_back(path, FakeNode{});
    return devices.back().second;
}

void FakeV4l2Io::unplug(const std::string &path)
{
    const std::shared_ptr<FakeUvcCamera> camera = node(path).camera;
    const std::lock_guard<std::recursive_mutex> cameraLock(camera->lock);
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    node(path).vanished = true;
    signal(*camera);
}

std::vector<std::string> FakeV4l2Io::nodes()
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    std::vector<std::string> paths;
    for (const auto &device : devices)
        if (!device.second.vanished)
            paths.push_back(device.first);
    return paths;
}

int FakeV4l2Io::open(const std::string &path)
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    for (const auto &device : devices) {
        if (device.first != path || device.second.vanished)
            continue;
        if (device.second.openError)
            return -device.second.openError;
        open_[next] = {path, eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)};
        return next++;
    }
    return -ENOENT;
}

void FakeV4l2Io::close(int fd)
{
    std::shared_ptr<FakeUvcCamera> camera;
    {
        const std::lock_guard<std::recursive_mutex> lock(mutex);
        const auto found = open_.find(fd);
        if (found == open_.end())
            return;
        camera = node(found->second.path).camera;
    }
    const std::lock_guard<std::recursive_mutex> cameraLock(camera->lock);
    camera->unsubscribe(fd);
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    const auto found = open_.find(fd);
    if (found != open_.end()) {
        ::close(found->second.events);
        open_.erase(found);
    }
}

int FakeV4l2Io::openDescriptors()
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    return int(open_.size());
}

void FakeV4l2Io::signal(const FakeUvcCamera &camera)
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    for (const auto &[fd, descriptor] : open_) {
        const FakeNode &n = node(descriptor.path);
        if (n.camera.get() != &camera)
            continue;
        uint64_t count = 0;
        [[maybe_unused]] auto drained = ::read(descriptor.events, &count, sizeof count);
        if (n.vanished || n.camera->pending(fd)) {
            const uint64_t one = 1;
            [[maybe_unused]] auto written = ::write(descriptor.events, &one, sizeof one);
        }
    }
}

int FakeV4l2Io::ioctl(int fd, unsigned long request, void *argument)
{
    std::shared_ptr<FakeUvcCamera> held;
    FakeNode *found = nullptr;
    {
        const std::lock_guard<std::recursive_mutex> lock(mutex);
        const auto open = open_.find(fd);
        if (open == open_.end())
            return -EBADF;
        found = &node(open->second.path);
        held = found->camera;
    }
    const std::lock_guard<std::recursive_mutex> cameraLock(held->lock);
    FakeNode &device = *found;
    if (device.vanished)
        return -ENODEV;
    FakeUvcCamera &camera = *held;
    int result = -ENOTTY;
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
    case VIDIOC_QUERY_EXT_CTRL:
        result = camera.query(*static_cast<v4l2_query_ext_ctrl *>(argument));
        break;
    case VIDIOC_G_EXT_CTRLS:
        result = camera.get(*static_cast<v4l2_ext_controls *>(argument));
        break;
    case VIDIOC_S_EXT_CTRLS:
        result = camera.set(*static_cast<v4l2_ext_controls *>(argument), fd);
        break;
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        // The V4L2 core turns these into the extended ioctls with one control.
        auto *control = static_cast<v4l2_control *>(argument);
        v4l2_ext_control item = {};
        item.id = control->id;
        item.value = control->value;
        v4l2_ext_controls list = {};
        list.count = 1;
        list.controls = &item;
        result = request == VIDIOC_G_CTRL ? camera.get(list) : camera.set(list, fd);
        if (result == 0)
            control->value = item.value;
        break;
    }
    case VIDIOC_SUBSCRIBE_EVENT:
        result = camera.subscribe(*static_cast<v4l2_event_subscription *>(argument), fd);
        break;
    case VIDIOC_DQEVENT:
        result = camera.dequeue(fd, *static_cast<v4l2_event *>(argument)) ? 0 : -ENOENT;
        break;
    default:
        break;
    }
    signal(camera);
    return result;
}

int FakeV4l2Io::wait(int fd, int wakeFd, int timeoutMs)
{
    int events = -1;
    {
        const std::lock_guard<std::recursive_mutex> lock(mutex);
        const auto found = open_.find(fd);
        if (found != open_.end())
            events = found->second.events;
    }
    pollfd watched[2] = {{wakeFd, POLLIN, 0}, {events, POLLIN, 0}};
    const int result = ::poll(watched, events >= 0 ? 2 : 1, timeoutMs);
    if (result < 0)
        return -errno;
    return (watched[0].revents ? Woken : 0) | (events >= 0 && watched[1].revents ? Events : 0);
}

UsbCamera FakeV4l2Io::usb(const std::string &path)
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    return node(path).usb;
}

std::shared_ptr<FakeV4l2Io> fakeSystemV4l2Io()
{
    static const auto io = std::make_shared<FakeV4l2Io>();
    return io;
}

std::shared_ptr<V4l2Io> systemV4l2Io()
{
    return fakeSystemV4l2Io();
}
