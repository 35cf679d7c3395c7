// V4l2Io on the real kernel.
#pragma once

#include "V4l2Io.h"

class V4l2SystemIo final : public V4l2Io
{
public:
    std::vector<std::string> nodes() override;
    int open(const std::string &node) override;
    void close(int fd) override;
    int ioctl(int fd, unsigned long request, void *argument) override;
};
