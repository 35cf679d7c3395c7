// SPDX-License-Identifier: GPL-2.0-or-later
// What pictures from a video stream need: GStreamer, which opens the URL (RTSP, or a stream
// over HTTP), decodes whatever the camera sends and hands over frames. It lives in a module of
// its own (libCameraCtrlStream.so), loaded when the first picture of a stream is taken, so a
// panel without such a camera maps none of it. Everything here is inline or virtual: the
// module and the library share no symbols.
#pragma once

#include "JpegCodec.h"

#include <memory>
#include <string>

class VideoStream
{
public:
    virtual ~VideoStream() = default;
    // The newest decoded frame, `width` wide in square pixels, waiting `timeoutMs` at most.
    // False without one: with why when the stream failed or ended, "" when none came in time.
    virtual bool frame(RgbImage &image, int timeoutMs, std::string &error) = 0;
};

class StreamWire
{
public:
    virtual ~StreamWire() = default;
    // False, with why, when GStreamer cannot be started; done once, and not part of any
    // camera's time to answer.
    virtual bool start(std::string &error) = 0;
    // Starts playing `url` (without credentials: `user` and `password` answer its sign-in).
    virtual std::unique_ptr<VideoStream> open(const std::string &url, const std::string &user,
                                              const std::string &password, int width,
                                              std::string &error) = 0;
};

// The module's one entry point.
extern "C" {
using StreamWireEntry = StreamWire *(*)();
}
#define STREAM_WIRE_ENTRY "ptz_stream_wire_v1"
