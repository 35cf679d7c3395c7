// SPDX-License-Identifier: GPL-2.0-or-later
// V4l2Io on the real kernel, with udev and sysfs for what USB says about each camera.
#pragma once

#include "V4l2Io.h"

class V4l2SystemIo final : public V4l2Io
{
public:
    std::vector<std::string> nodes() override;
    int open(const std::string &node) override;
    void close(int fd) override;
    int ioctl(int fd, unsigned long request, void *argument) override;
    int wait(int fd, int wakeFd, int timeoutMs) override;
    UsbCamera usb(const std::string &node) override;
    void *map(int fd, size_t length, int64_t offset) override;
    void unmap(void *address, size_t length) override;
    int waitForFrame(int fd, int stopFd, int timeoutMs) override;
};
