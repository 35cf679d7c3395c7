// SPDX-License-Identifier: GPL-2.0-or-later
// What pictures need of libjpeg: decoding, scaled down on the way as far as the decoder's own
// scaling allows, and encoding. It lives in a module of its own (libCameraCtrlJpeg.so), loaded
// when the first picture is taken, so a panel that never takes one maps no JPEG library.
// Everything here is inline or virtual: the module and the library share no symbols.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Red, green and blue bytes, row after row.
struct RgbImage
{
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

class JpegCodec
{
public:
    virtual ~JpegCodec() = default;
    // Decodes at the smallest size the decoder can make that is still `width` wide (0: as it
    // is). `strict`: damage the decoder could paper over (data cut short) fails it too.
    virtual bool decode(const uint8_t *data, size_t size, int width, bool strict, RgbImage &image,
                        std::string &error) = 0;
    virtual bool encode(const RgbImage &image, int quality, std::vector<uint8_t> &jpeg,
                        std::string &error) = 0;
};

// The module's one entry point.
extern "C" {
using JpegCodecEntry = JpegCodec *(*)();
}
#define JPEG_CODEC_ENTRY "ptz_jpeg_codec_v1"
