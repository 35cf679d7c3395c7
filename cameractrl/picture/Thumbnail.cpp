// SPDX-License-Identifier: GPL-2.0-or-later
#include "Thumbnail.h"
#include "JpegModule.h"

#include <algorithm>

namespace {

bool isFrameHeader(uint8_t marker)
{
    // SOF0..SOF15, but for DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

bool encoded(const RgbImage &image, std::vector<uint8_t> &jpeg, std::string &problem)
{
    JpegCodec *codec = JpegModule::codec(problem);
    const RgbImage small =
        image.width > Thumbnail::Width ? Thumbnail::scaled(image, Thumbnail::Width) : image;
    return codec && codec->encode(small, Thumbnail::Quality, jpeg, problem);
}

} // namespace

bool Thumbnail::wellFormed(const uint8_t *data, size_t size, int *width, int *height)
{
    if (size < 4 || data[0] != 0xff || data[1] != 0xd8)
        return false;
    int w = 0, h = 0;
    size_t at = 2;
    for (;;) {
        if (at + 4 > size || data[at] != 0xff)
            return false;
        const uint8_t marker = data[at + 1];
        if (marker == 0xff) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd9))
            return false; // no standalone marker belongs before the data
        const size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
        if (length < 2 || at + 2 + length > size)
            return false;
        if (isFrameHeader(marker)) {
            if (length < 8)
                return false;
            h = data[at + 5] << 8 | data[at + 6];
            w = data[at + 7] << 8 | data[at + 8];
        }
        at += 2 + length;
        if (marker == 0xda)
            break;
    }
    // Some cameras pad their frames after the end.
    size_t end = size;
    while (end > at && data[end - 1] == 0)
        --end;
    if (w <= 0 || h <= 0 || end < at + 2 || data[end - 2] != 0xff || data[end - 1] != 0xd9)
        return false;
    if (width)
        *width = w;
    if (height)
        *height = h;
    return true;
}

uint32_t Thumbnail::version(const std::vector<uint8_t> &jpeg)
{
    uint32_t hash = 2166136261u; // FNV-1a
    for (const uint8_t byte : jpeg)
        hash = (hash ^ byte) * 16777619u;
    return hash ? hash : 1;
}

RgbImage Thumbnail::scaled(const RgbImage &image, int width)
{
    RgbImage out;
    if (image.width <= 0 || image.height <= 0 || width <= 0)
        return out;
    out.width = width;
    out.height = std::max(1, int((int64_t(image.height) * width + image.width / 2) / image.width));
    out.pixels.resize(size_t(out.width) * size_t(out.height) * 3);
    // Each pixel is the mean of the source pixels it covers (at least one).
    for (int y = 0; y < out.height; ++y) {
        const int y0 = int(int64_t(y) * image.height / out.height);
        const int y1 = std::max(y0 + 1, int(int64_t(y + 1) * image.height / out.height));
        for (int x = 0; x < out.width; ++x) {
            const int x0 = int(int64_t(x) * image.width / out.width);
            const int x1 = std::max(x0 + 1, int(int64_t(x + 1) * image.width / out.width));
            uint32_t sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                const uint8_t *p =
                    &image.pixels[(size_t(sy) * size_t(image.width) + size_t(x0)) * 3];
                for (int sx = x0; sx < x1; ++sx, p += 3)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += p[c];
            }
            const uint32_t count = uint32_t((y1 - y0) * (x1 - x0));
            uint8_t *o = &out.pixels[(size_t(y) * size_t(out.width) + size_t(x)) * 3];
            for (int c = 0; c < 3; ++c)
                o[c] = uint8_t((sum[c] + count / 2) / count);
        }
    }
    return out;
}

bool Thumbnail::make(const Frame &frame, std::vector<uint8_t> &jpeg, std::string &problem)
{
    if (frame.jpeg.empty())
        return encoded(frame.image, jpeg, problem);
    if (frame.jpeg.size() > MaxInput) {
        problem = "a picture larger than 2 MiB";
        return false;
    }
    if (!wellFormed(frame.jpeg.data(), frame.jpeg.size())) {
        problem = "not a JPEG picture";
        return false;
    }
    JpegCodec *codec = JpegModule::codec(problem);
    RgbImage image;
    // A camera's frame with a flaw the decoder gets over is still its view.
    if (!codec ||
        !codec->decode(frame.jpeg.data(), frame.jpeg.size(), Width, false, image, problem))
        return false;
    return encoded(image, jpeg, problem);
}

bool Thumbnail::imported(const std::vector<uint8_t> &given, std::vector<uint8_t> &kept,
                         std::string &problem)
{
    int width = 0;
    if (given.size() > MaxInput) {
        problem = "a picture larger than 2 MiB";
        return false;
    }
    if (!wellFormed(given.data(), given.size(), &width)) {
        problem = "not a JPEG picture";
        return false;
    }
    JpegCodec *codec = JpegModule::codec(problem);
    RgbImage image;
    if (!codec || !codec->decode(given.data(), given.size(), Width, true, image, problem)) {
        problem = "a damaged JPEG picture (" + problem + ")";
        return false;
    }
    if (given.size() <= MaxKept && width <= MaxKeptWidth) {
        kept = given;
        return true;
    }
    return encoded(image, kept, problem);
}
