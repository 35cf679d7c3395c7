// The few system calls the V4L2 backend makes, behind one seam so that tests can stand in
// fake devices that follow the kernel's structures and error codes.
#pragma once

#include <string>
#include <vector>

class V4l2Io
{
public:
    virtual ~V4l2Io() = default;

    // The video device nodes present now ("/dev/video0" ...), in numeric order.
    virtual std::vector<std::string> nodes() = 0;
    // A descriptor, or -errno.
    virtual int open(const std::string &node) = 0;
    virtual void close(int fd) = 0;
    // 0, or -errno.
    virtual int ioctl(int fd, unsigned long request, void *argument) = 0;
};
