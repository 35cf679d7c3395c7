// SPDX-License-Identifier: GPL-2.0-or-later
// What a network camera sees, from its video stream (RTSP, or a stream over HTTP) decoded by
// GStreamer in the stream module: the stream is opened with the first frame asked for and
// kept playing for the next ones, the newest frame taken each time. The URL goes to GStreamer
// without its credentials, which answer the camera's sign-in.
#pragma once

#include "StreamWire.h"
#include "ViewSource.h"

#include <memory>
#include <string>

class StreamView final : public ViewSource
{
public:
    explicit StreamView(std::string url);

    bool frame(Frame &frame, Clock::time_point deadline, int stop, std::string &problem) override;

private:
    const std::string url;
    std::unique_ptr<VideoStream> stream;
};
