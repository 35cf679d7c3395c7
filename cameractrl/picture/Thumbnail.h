// SPDX-License-Identifier: GPL-2.0-or-later
// The small JPEG kept of a camera's view: about 320 px wide, whatever the camera gave. Also
// what a picture given to keep must be, and the cheap look at a JPEG's frame that needs no
// decoder.
#pragma once

#include "ViewSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Thumbnail
{
public:
    static constexpr int Width = 320;
    static constexpr int Quality = 80;
    static constexpr size_t MaxInput = 2 * 1024 * 1024;
    // A picture given to keep this small and narrow is kept as it is, byte for byte.
    static constexpr size_t MaxKept = 256 * 1024;
    static constexpr int MaxKeptWidth = 2 * Width;

    // The JPEG kept of `frame`: Width wide, or as it is when it is narrower.
    static bool make(const Frame &frame, std::vector<uint8_t> &jpeg, std::string &problem);
    // What is kept of a picture given to keep: false, with why, for what is not a whole
    // JPEG, does not decode or is larger than MaxInput; a large one is made small.
    static bool imported(const std::vector<uint8_t> &given, std::vector<uint8_t> &kept,
                         std::string &problem);
    // The markers of a JPEG where they belong (its start, a frame header with its size, the
    // start of its data, its end); nothing is decoded.
    static bool wellFormed(const uint8_t *data, size_t size, int *width = nullptr,
                           int *height = nullptr);
    // Changes whenever the bytes do; never 0.
    static uint32_t version(const std::vector<uint8_t> &jpeg);
    // Averaged down to `width` wide, keeping its shape.
    static RgbImage scaled(const RgbImage &image, int width);
};
