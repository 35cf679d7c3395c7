// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2SystemIo.h"
#include "UvcDescriptors.h"

#include <libudev.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

std::string text(const char *value)
{
    return value ? value : "";
}

// udev's property when its rules ran (they add nothing on some containers), else sysfs's.
std::string property(udev_device *device, const char *key, const char *attribute)
{
    std::string value = text(udev_device_get_property_value(device, key));
    if (value.empty())
        value = text(udev_device_get_sysattr_value(device, attribute));
    return value;
}

} // namespace

std::shared_ptr<V4l2Io> systemV4l2Io()
{
    return std::make_shared<V4l2SystemIo>();
}

std::vector<std::string> V4l2SystemIo::nodes()
{
    std::vector<std::pair<long, std::string>> found;
    if (DIR *dev = opendir("/dev")) {
        while (const dirent *entry = readdir(dev)) {
            const char *name = entry->d_name;
            if (std::strncmp(name, "video", 5) != 0 || name[5] == '\0')
                continue;
            char *end = nullptr;
            const long number = std::strtol(name + 5, &end, 10);
            if (*end == '\0')
                found.emplace_back(number, std::string("/dev/") + name);
        }
        closedir(dev);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> nodes;
    for (auto &node : found)
        nodes.push_back(std::move(node.second));
    return nodes;
}

int V4l2SystemIo::open(const std::string &node)
{
    // Non-blocking, so that event reads never wait.
    const int fd = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0 ? fd : -errno;
}

void V4l2SystemIo::close(int fd)
{
    ::close(fd);
}

int V4l2SystemIo::ioctl(int fd, unsigned long request, void *argument)
{
    int result;
    do
        result = ::ioctl(fd, request, argument);
    while (result < 0 && errno == EINTR);
    return result < 0 ? -errno : 0;
}

int V4l2SystemIo::wait(int fd, int wakeFd, int timeoutMs)
{
    pollfd watched[2] = {{wakeFd, POLLIN, 0}, {fd, POLLPRI, 0}};
    const int count = fd >= 0 ? 2 : 1;
    int result;
    do
        result = ::poll(watched, nfds_t(count), timeoutMs);
    while (result < 0 && errno == EINTR);
    if (result < 0)
        return -errno;
    int ready = 0;
    if (watched[0].revents)
        ready |= Woken;
    // An unplugged camera reports an error; the next event read says ENODEV.
    if (count == 2 && watched[1].revents)
        ready |= Events;
    return ready;
}

void *V4l2SystemIo::map(int fd, size_t length, int64_t offset)
{
    void *address = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, off_t(offset));
    return address == MAP_FAILED ? nullptr : address;
}

void V4l2SystemIo::unmap(void *address, size_t length)
{
    ::munmap(address, length);
}

int V4l2SystemIo::waitForFrame(int fd, int stopFd, int timeoutMs)
{
    pollfd watched[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    int result;
    do
        result = ::poll(watched, stopFd >= 0 ? 2 : 1, timeoutMs);
    while (result < 0 && errno == EINTR);
    if (result < 0)
        return -errno;
    // An error on the node (unplugged) is for the next DQBUF to tell.
    return (watched[0].revents ? Frame : 0) | (stopFd >= 0 && watched[1].revents ? Stopped : 0);
}

UsbCamera V4l2SystemIo::usb(const std::string &node)
{
    UsbCamera camera;
    const std::string sysname = node.substr(node.rfind('/') + 1);
    udev *context = udev_new();
    if (!context)
        return camera;
    udev_device *video =
        udev_device_new_from_subsystem_sysname(context, "video4linux", sysname.c_str());
    // The parent is owned by its child.
    udev_device *parent =
        video ? udev_device_get_parent_with_subsystem_devtype(video, "usb", "usb_device") : nullptr;
    if (parent) {
        camera.found = true;
        camera.vendor = property(parent, "ID_VENDOR_ID", "idVendor");
        camera.product = property(parent, "ID_MODEL_ID", "idProduct");
        camera.serial = property(parent, "ID_SERIAL_SHORT", "serial");
        camera.device = text(udev_device_get_sysname(parent));
        // The descriptors as the USB core read them at plug-in: no request to the camera.
        std::ifstream file(text(udev_device_get_syspath(parent)) + "/descriptors",
                           std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
        camera.ptz = UvcDescriptors::offersPtz(
            UvcDescriptors::cameraTerminalControls(bytes.data(), bytes.size()));
    }
    if (video)
        udev_device_unref(video);
    udev_unref(context);
    return camera;
}
