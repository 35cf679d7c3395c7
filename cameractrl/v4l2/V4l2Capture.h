// SPDX-License-Identifier: GPL-2.0-or-later
// What a USB camera sees, through a file handle of its own on the capture node, as the V4L2
// API's capture example does it: the format picked (MJPEG where the camera offers it, else
// YUYV; the smallest size at least 320 px wide), buffers requested and mapped, queued,
// streaming on, filled buffers dequeued and queued again. The first frame given is one of
// the first few, once exposure has had a moment to settle. Closing stops the stream and
// frees the buffers, so the camera is free for any program again.
//
// Only one file handle can stream a camera: while another program does, setting the format
// or asking for buffers answers EBUSY, and this one gives up without having changed anything.
#pragma once

#include "V4l2Io.h"
#include "ViewSource.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class V4l2Capture final : public ViewSource
{
public:
    V4l2Capture(std::shared_ptr<V4l2Io> io, std::string node);
    ~V4l2Capture() override;

    bool frame(Frame &frame, Clock::time_point deadline, int stop, std::string &problem) override;

    static constexpr int SettleFrames = 5;
    static constexpr auto Settle = std::chrono::milliseconds(300);
    static constexpr uint32_t BufferCount = 3;

private:
    struct Buffer
    {
        void *address = nullptr;
        size_t length = 0;
    };

    bool start(std::string &problem);
    bool pickFormat(std::string &problem);
    bool next(Frame &frame, Clock::time_point deadline, int stop, std::string &problem);
    void convert(const Buffer &buffer, size_t used, Frame &frame) const;
    std::string failure(const char *step, int error) const;
    // One request to the driver; false, with why, when it refuses.
    bool ask(unsigned long request, void *argument, const char *step, std::string &problem);
    void close();

    const std::shared_ptr<V4l2Io> io;
    const std::string node;
    int fd = -1;
    bool streaming = false;
    uint32_t format = 0;
    int width = 0, height = 0;
    uint32_t bytesPerLine = 0;
    std::vector<Buffer> buffers;
    int taken = 0;
    Clock::time_point started, asked;
};
