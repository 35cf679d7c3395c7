// SPDX-License-Identifier: GPL-2.0-or-later
// The JPEG module: JpegCodec over libjpeg(-turbo). libjpeg reports a failure by calling its
// error handler, which must not return: it jumps back to where the work started, so that the
// C++ objects involved are only the caller's, untouched by the jump.
#include "JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

// More pixels than this is no camera's picture: a header that claims it is refused before
// anything is allocated for it.
constexpr unsigned long MaxPixels = 8192ul * 8192ul;

struct Failure
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
    int warnings = 0;
};

[[noreturn]] void failed(j_common_ptr info)
{
    auto *failure = reinterpret_cast<Failure *>(info->err);
    (*info->err->format_message)(info, failure->message);
    std::longjmp(failure->jump, 1);
}

void said(j_common_ptr info, int level)
{
    auto *failure = reinterpret_cast<Failure *>(info->err);
    if (level >= 0)
        return; // trace messages
    if (failure->warnings++ == 0)
        (*info->err->format_message)(info, failure->message);
}

Failure *errorsOf(jpeg_common_struct *info, Failure &failure)
{
    info->err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = failed;
    failure.manager.emit_message = said;
    return &failure;
}

bool decodeInto(jpeg_decompress_struct &d, Failure &failure, const uint8_t *data, size_t size,
                int width, RgbImage &image)
{
    if (setjmp(failure.jump))
        return false;
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    d.scale_num = 8;
    d.scale_denom = 8;
    // The decoder scales by eighths for nearly nothing: the fewest that still give `width`.
    if (width > 0)
        for (unsigned eighths = 1; eighths < 8; ++eighths)
            if ((d.image_width * eighths + 7) / 8 >= unsigned(width)) {
                d.scale_num = eighths;
                break;
            }
    jpeg_calc_output_dimensions(&d);
    if (static_cast<unsigned long>(d.output_width) * d.output_height > MaxPixels) {
        std::snprintf(failure.message, sizeof failure.message, "a picture of %ux%u pixels",
                      d.image_width, d.image_height);
        return false;
    }
    jpeg_start_decompress(&d);
    image.width = int(d.output_width);
    image.height = int(d.output_height);
    image.pixels.assign(size_t(image.width) * size_t(image.height) * 3, 0);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = image.pixels.data() + size_t(d.output_scanline) * size_t(image.width) * 3;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    return true;
}

bool encodeInto(jpeg_compress_struct &c, Failure &failure, const RgbImage &image, int quality,
                unsigned char *&buffer, unsigned long &size)
{
    if (setjmp(failure.jump))
        return false;
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(image.width);
    c.image_height = JDIMENSION(image.height);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        auto *row = const_cast<JSAMPLE *>(image.pixels.data() +
                                          size_t(c.next_scanline) * size_t(image.width) * 3);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    return true;
}

class JpegLibrary final : public JpegCodec
{
public:
    bool decode(const uint8_t *data, size_t size, int width, bool strict, RgbImage &image,
                std::string &error) override
    {
        jpeg_decompress_struct d = {};
        Failure failure;
        errorsOf(reinterpret_cast<jpeg_common_struct *>(&d), failure);
        const bool ok = decodeInto(d, failure, data, size, width, image);
        jpeg_destroy_decompress(&d);
        if (ok && !(strict && failure.warnings))
            return true;
        error = failure.message;
        image = RgbImage{};
        return false;
    }

    bool encode(const RgbImage &image, int quality, std::vector<uint8_t> &jpeg,
                std::string &error) override
    {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() < size_t(image.width) * size_t(image.height) * 3) {
            error = "no picture to encode";
            return false;
        }
        jpeg_compress_struct c = {};
        Failure failure;
        errorsOf(reinterpret_cast<jpeg_common_struct *>(&c), failure);
        unsigned char *buffer = nullptr;
        unsigned long size = 0;
        const bool ok = encodeInto(c, failure, image, quality, buffer, size);
        jpeg_destroy_compress(&c);
        if (ok)
            jpeg.assign(buffer, buffer + size);
        else
            error = failure.message;
        std::free(buffer);
        return ok;
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) JpegCodec *ptz_jpeg_codec_v1()
{
    // Never destroyed: pictures may still be taken while the process exits.
    static JpegLibrary *codec = new JpegLibrary;
    return codec;
}
