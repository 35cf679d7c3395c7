// SPDX-License-Identifier: GPL-2.0-or-later
// What a camera sees, as one kind of camera gives it: a USB camera's stream, a snapshot URL,
// an RTSP stream, the simulation's drawing. A source lives on the picture worker's thread; the
// first frame may take longer (a stream starts, exposure settles), the next ones follow as
// the camera gives them.
#pragma once

#include "JpegCodec.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// A frame as it came: a JPEG as the camera sent it, or pixels.
struct Frame
{
    std::vector<uint8_t> jpeg;
    RgbImage image;
};

class ViewSource
{
public:
    using Clock = std::chrono::steady_clock;
    virtual ~ViewSource() = default;
    // The next frame, waiting until `deadline` at most; `stop` (a descriptor) becoming
    // readable ends the wait. False, with why, worded for the user: never a password or a
    // URL.
    virtual bool frame(Frame &frame, Clock::time_point deadline, int stop,
                       std::string &problem) = 0;

    // What a source says when nothing came between `asked` and `deadline`.
    static std::string nothingWithin(Clock::time_point asked, Clock::time_point deadline)
    {
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - asked);
        return "no picture within " + std::to_string((waited.count() + 500) / 1000) + " s";
    }
};
