// Stand-in video devices for the V4L2 backend's tests: they answer the ioctls the backend
// makes with the kernel's structures and error codes, and remember every control written.
#pragma once

#include "V4l2Io.h"

#include <linux/videodev2.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct FakeControl
{
    int64_t minimum = 0;
    int64_t maximum = 0;
    int64_t defaultValue = 0;
    int64_t value = 0;
    uint32_t flags = 0;
    uint32_t type = V4L2_CTRL_TYPE_INTEGER;
};

struct FakeNode
{
    uint32_t caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    std::string card = "Fake Camera";
    std::string bus = "usb-0000:00:14.0-1";
    int openError = 0;     // errno for open(), 0 to open
    bool vanished = false; // every ioctl fails with ENODEV
    std::map<uint32_t, FakeControl> controls;
    std::vector<std::pair<uint32_t, int64_t>> writes;
};

class FakeV4l2Io final : public V4l2Io
{
public:
    std::vector<std::pair<std::string, FakeNode>> devices; // in node order

    FakeNode &node(const std::string &path);
    std::vector<std::string> nodes() override;
    int open(const std::string &path) override;
    void close(int fd) override;
    int ioctl(int fd, unsigned long request, void *argument) override;

    int openDescriptors() const { return int(open_.size()); }

private:
    std::map<int, std::string> open_;
    int next = 100;
};
