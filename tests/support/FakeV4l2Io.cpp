// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeV4l2Io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

template <size_t N> void copyText(__u8 (&to)[N], const std::string &from)
{
    std::memcpy(to, from.data(), std::min(from.size(), N - 1)); // stays NUL-terminated
}

void plugFromEnvironment(FakeV4l2Io &io)
{
    const char *ms = std::getenv("PTZ_FAKE_UVC_MS");
    if (!ms)
        return;
    FakeNode &node = io.node("/dev/video0");
    makePtzCamera(node, PtzKind::CurrentRelativeAndAbsolute);
    FakeUvcCamera &camera = *node.camera;
    camera.latency = std::chrono::milliseconds(std::atoi(ms));
    const char *log = std::getenv("PTZ_FAKE_UVC_LOG");
    const std::string hold =
        std::getenv("PTZ_FAKE_UVC_HOLD") ? std::getenv("PTZ_FAKE_UVC_HOLD") : "";
    const size_t colon = hold.find(':');
    const std::string heldControl = hold.substr(0, colon);
    const std::string holdFile = colon == std::string::npos ? "" : hold.substr(colon + 1);
    FILE *out = log ? std::fopen(log, "a") : nullptr; // kept open for the program's life
    auto held = std::make_shared<bool>(false);
    camera.onRequest = [out, heldControl, holdFile, held](const char *request,
                                                          FakeUvcCamera::Selector selector,
                                                          const std::vector<uint8_t> &data) {
        const char *name = FakeUvcCamera::nameOf(selector);
        if (out) {
            std::string line = std::string(request) + " " + name;
            for (uint8_t byte : data) {
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02x", byte);
                line += hex;
            }
            std::fprintf(out, "%s\n", line.c_str());
            std::fflush(out);
        }
        if (!*held && !holdFile.empty() && heldControl == name) {
            *held = true;
            while (access(holdFile.c_str(), F_OK) == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
}

} // namespace

void makePtzCamera(FakeNode &node, PtzKind kind, const std::string &serial)
{
    node.card = "PTZ Pro";
    node.bus = "usb-0000:00:14.0-2";
    node.usb = {true, "046d", "0853", serial, "1-2", true};
    FakeUvcCamera &camera = *node.camera;
    camera.addImageControls();
    camera.add(FakeUvcCamera::FocusAuto);
    switch (kind) {
    case PtzKind::Linux61RelativeAndAbsolute:
        camera.addPtz(true, false, true);
        break;
    case PtzKind::Linux61AbsoluteOnly:
        camera.addPtz(false, false, true);
        break;
    case PtzKind::CurrentRelativeOnly:
        camera.kernel = FakeUvcCamera::Kernel::Current;
        camera.addPtz(true, false, false);
        break;
    case PtzKind::CurrentRelativeAndAbsolute:
        camera.kernel = FakeUvcCamera::Kernel::Current;
        camera.addPtz(true, true, true);
        break;
    }
}

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
        ++opened;
        return next++;
    }
    return -ENOENT;
}

void FakeV4l2Io::close(int fd)
{
    std::shared_ptr<FakeUvcCamera> camera;
    bool subscribed = false;
    {
        const std::lock_guard<std::recursive_mutex> lock(mutex);
        const auto found = open_.find(fd);
        if (found == open_.end())
            return;
        camera = node(found->second.path).camera;
        subscribed = found->second.subscribed;
    }
    camera->release(fd);
    // Releasing a file handle takes the control lock only to drop its event subscriptions.
    if (subscribed) {
        const std::lock_guard<std::recursive_mutex> cameraLock(camera->lock);
        camera->unsubscribe(fd);
    } else {
        camera->dropEvents(fd);
    }
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

int FakeV4l2Io::opens()
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    return opened;
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
        if (found->vanished)
            return -ENODEV;
        // Neither takes the control lock in the driver: they answer while a transfer runs.
        if (request == VIDIOC_QUERYCAP) {
            auto *caps = static_cast<v4l2_capability *>(argument);
            *caps = {};
            copyText(caps->driver, "uvcvideo");
            copyText(caps->card, found->card);
            copyText(caps->bus_info, found->bus);
            caps->device_caps = found->caps;
            caps->capabilities = found->caps | V4L2_CAP_DEVICE_CAPS;
            return 0;
        }
    }
    FakeUvcCamera &camera = *held;
    // The stream has locks of its own: frames come while a control transfer runs.
    if (FakeUvcCamera::streamingRequest(request))
        return camera.stream(request, argument, fd);
    if (request == VIDIOC_DQEVENT) {
        const int result = camera.dequeue(fd, *static_cast<v4l2_event *>(argument)) ? 0 : -ENOENT;
        signal(camera);
        return result;
    }
    const std::lock_guard<std::recursive_mutex> cameraLock(held->lock);
    if (found->vanished) // unplugged while this one waited for the camera
        return -ENODEV;
    int result = -ENOTTY;
    switch (request) {
    case VIDIOC_QUERY_EXT_CTRL:
        result = camera.query(*static_cast<v4l2_query_ext_ctrl *>(argument));
        break;
    case VIDIOC_QUERYMENU:
        result = camera.queryMenu(*static_cast<v4l2_querymenu *>(argument));
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
    case VIDIOC_SUBSCRIBE_EVENT: {
        result = camera.subscribe(*static_cast<v4l2_event_subscription *>(argument), fd);
        const std::lock_guard<std::recursive_mutex> lock(mutex);
        const auto open = open_.find(fd);
        if (result == 0 && open != open_.end())
            open->second.subscribed = true;
        break;
    }
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

std::shared_ptr<FakeUvcCamera> FakeV4l2Io::cameraOf(int fd)
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    const auto found = open_.find(fd);
    return found == open_.end() ? nullptr : node(found->second.path).camera;
}

void *FakeV4l2Io::map(int fd, size_t length, int64_t offset)
{
    const auto camera = cameraOf(fd);
    return camera ? camera->memory(offset, length) : nullptr;
}

void FakeV4l2Io::unmap(void *, size_t) {}

int FakeV4l2Io::waitForFrame(int fd, int stopFd, int timeoutMs)
{
    const auto camera = cameraOf(fd);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const int due = camera ? camera->untilFrame(fd) : -1;
        if (due == 0)
            return Frame;
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(limit - std::chrono::steady_clock::now())
                .count();
        if (left <= 0)
            return 0;
        pollfd stop = {stopFd, POLLIN, 0};
        if (::poll(&stop, stopFd >= 0 ? 1 : 0,
                   int(due < 0 ? left : std::min<long long>(due, left))) > 0)
            return Stopped;
    }
}

UsbCamera FakeV4l2Io::usb(const std::string &path)
{
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    return node(path).usb;
}

std::shared_ptr<FakeV4l2Io> fakeSystemV4l2Io()
{
    static const auto io = [] {
        auto made = std::make_shared<FakeV4l2Io>();
        plugFromEnvironment(*made);
        return made;
    }();
    return io;
}

std::shared_ptr<V4l2Io> systemV4l2Io()
{
    return fakeSystemV4l2Io();
}
