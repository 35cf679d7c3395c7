// SPDX-License-Identifier: GPL-2.0-or-later
// The few system calls the V4L2 backend makes, behind one seam so that tests can stand in
// fake devices that follow the kernel driver's behaviour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What USB says about the camera behind a video node; nothing here asks the camera.
struct UsbCamera
{
    bool found = false;  // the node has a USB device behind it
    std::string vendor;  // "046d"
    std::string product; // "0853"
    std::string serial;  // "" when the camera has none
    std::string device;  // the USB device's sysfs name, "1-2.3": one per physical camera
    bool ptz = false;    // its camera terminal offers pan, tilt or zoom
};

class V4l2Io
{
public:
    virtual ~V4l2Io() = default;

    // The video device nodes present now ("/dev/video0" ...), in numeric order.
    virtual std::vector<std::string> nodes() = 0;
    // A non-blocking descriptor, or -errno.
    virtual int open(const std::string &node) = 0;
    virtual void close(int fd) = 0;
    // 0, or -errno.
    virtual int ioctl(int fd, unsigned long request, void *argument) = 0;
    // Waits up to `timeoutMs` (-1: no limit) until `fd` has a V4L2 event pending or
    // `wakeFd` (an eventfd) is readable. Returns Events | Woken bits, 0 on time-out, or
    // -errno.
    enum Ready
    {
        Events = 1,
        Woken = 2
    };
    virtual int wait(int fd, int wakeFd, int timeoutMs) = 0;
    virtual UsbCamera usb(const std::string &node) = 0;

    // Streaming, for pictures. Maps a buffer QUERYBUF described; nullptr when it cannot.
    virtual void *map(int fd, size_t length, int64_t offset) = 0;
    virtual void unmap(void *address, size_t length) = 0;
    // Waits up to `timeoutMs` until `fd` has a filled buffer to dequeue or `stopFd` is
    // readable: Frame | Stopped bits, 0 on time-out, or -errno.
    enum Streaming
    {
        Frame = 1,
        Stopped = 2
    };
    virtual int waitForFrame(int fd, int stopFd, int timeoutMs) = 0;
};

// The real kernel's; defined in V4l2SystemIo.cpp.
std::shared_ptr<V4l2Io> systemV4l2Io();
