// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2Capture.h"
#include "Thumbnail.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

bool compressed(uint32_t format)
{
    return format == V4L2_PIX_FMT_MJPEG || format == V4L2_PIX_FMT_JPEG;
}

uint8_t clamped(int value)
{
    return uint8_t(std::clamp(value, 0, 255));
}

} // namespace

V4l2Capture::V4l2Capture(std::shared_ptr<V4l2Io> system, std::string path)
    : io(std::move(system)), node(std::move(path))
{}

V4l2Capture::~V4l2Capture()
{
    close();
}

std::string V4l2Capture::failure(const char *step, int error) const
{
    if (error == -EBUSY)
        return "another program is using the camera";
    if (error == -ENODEV)
        return "the camera is gone";
    return std::string("the camera refused ") + step + ": " + std::strerror(-error);
}

bool V4l2Capture::ask(unsigned long request, void *argument, const char *step, std::string &problem)
{
    const int error = io->ioctl(fd, request, argument);
    if (error)
        problem = failure(step, error);
    return error == 0;
}

void V4l2Capture::close()
{
    if (fd < 0)
        return;
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (streaming)
        io->ioctl(fd, VIDIOC_STREAMOFF, &type);
    streaming = false;
    for (const Buffer &b : buffers)
        if (b.address)
            io->unmap(b.address, b.length);
    if (!buffers.empty()) {
        // No buffers, no privileges: another program may set the camera up at once.
        v4l2_requestbuffers none = {};
        none.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        none.memory = V4L2_MEMORY_MMAP;
        io->ioctl(fd, VIDIOC_REQBUFS, &none);
    }
    buffers.clear();
    io->close(fd);
    fd = -1;
    taken = 0;
}

bool V4l2Capture::pickFormat(std::string &problem)
{
    struct Size
    {
        uint32_t format;
        int width, height;
    };
    std::optional<Size> best;
    // A camera's own JPEG costs it nothing and us little; raw frames only without it.
    const auto better = [](const Size &a, const Size &b) {
        if (compressed(a.format) != compressed(b.format))
            return compressed(a.format);
        const bool wideA = a.width >= Thumbnail::Width, wideB = b.width >= Thumbnail::Width;
        if (wideA != wideB)
            return wideA;
        return wideA ? a.width < b.width : a.width > b.width;
    };
    for (uint32_t i = 0;; ++i) {
        v4l2_fmtdesc description = {};
        description.index = i;
        description.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (io->ioctl(fd, VIDIOC_ENUM_FMT, &description) != 0)
            break;
        const uint32_t f = description.pixelformat;
        if (!compressed(f) && f != V4L2_PIX_FMT_YUYV)
            continue;
        for (uint32_t k = 0;; ++k) {
            v4l2_frmsizeenum size = {};
            size.index = k;
            size.pixel_format = f;
            if (io->ioctl(fd, VIDIOC_ENUM_FRAMESIZES, &size) != 0)
                break;
            Size s{f, 0, 0};
            if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
                s.width = int(size.discrete.width);
                s.height = int(size.discrete.height);
            } else {
                // A range: its narrowest width of at least 320, in the shape of its largest.
                const auto &r = size.stepwise;
                const uint32_t step = std::max<uint32_t>(r.step_width, 1);
                uint32_t w = std::max<uint32_t>(r.min_width, Thumbnail::Width);
                w = std::min(r.max_width, r.min_width + (w - r.min_width + step - 1) / step * step);
                s.width = int(w);
                s.height = int(uint64_t(r.max_height) * w / std::max<uint32_t>(r.max_width, 1));
            }
            if (s.width > 0 && s.height > 0 && (!best || better(s, *best)))
                best = s;
            if (size.type != V4L2_FRMSIZE_TYPE_DISCRETE)
                break;
        }
    }
    if (!best) {
        problem = "the camera offers no MJPEG or YUYV video";
        return false;
    }
    v4l2_format wanted = {};
    wanted.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    wanted.fmt.pix.width = uint32_t(best->width);
    wanted.fmt.pix.height = uint32_t(best->height);
    wanted.fmt.pix.pixelformat = best->format;
    wanted.fmt.pix.field = V4L2_FIELD_ANY;
    if (!ask(VIDIOC_S_FMT, &wanted, "the format", problem))
        return false;
    // What the driver made of it.
    format = wanted.fmt.pix.pixelformat;
    width = int(wanted.fmt.pix.width);
    height = int(wanted.fmt.pix.height);
    bytesPerLine = std::max(wanted.fmt.pix.bytesperline, uint32_t(width) * 2);
    if (!compressed(format) && format != V4L2_PIX_FMT_YUYV) {
        problem = "the camera gave another format than the one asked for";
        return false;
    }
    return true;
}

bool V4l2Capture::start(std::string &problem)
{
    fd = io->open(node);
    if (fd < 0) {
        problem = failure("to be opened", fd);
        return false;
    }
    if (!pickFormat(problem))
        return false;
    v4l2_requestbuffers request = {};
    request.count = BufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (!ask(VIDIOC_REQBUFS, &request, "buffers", problem))
        return false;
    buffers.resize(request.count);
    for (uint32_t i = 0; i < request.count; ++i) {
        v4l2_buffer b = {};
        b.index = i;
        b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        b.memory = V4L2_MEMORY_MMAP;
        if (!ask(VIDIOC_QUERYBUF, &b, "its buffers", problem))
            return false;
        buffers[i].length = b.length;
        buffers[i].address = io->map(fd, b.length, b.m.offset);
        if (!buffers[i].address) {
            problem = std::string("its buffers cannot be mapped: ") + std::strerror(errno);
            return false;
        }
        if (!ask(VIDIOC_QBUF, &b, "its buffers", problem))
            return false;
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (!ask(VIDIOC_STREAMON, &type, "to stream", problem))
        return false;
    streaming = true;
    started = Clock::now();
    return true;
}

void V4l2Capture::convert(const Buffer &buffer, size_t used, Frame &frame) const
{
    const auto *bytes = static_cast<const uint8_t *>(buffer.address);
    used = std::min(used, buffer.length);
    if (compressed(format)) {
        frame.jpeg.assign(bytes, bytes + used);
        return;
    }
    // YUYV: two pixels in four bytes, sharing their colour (BT.601, studio range).
    RgbImage &image = frame.image;
    image.width = width;
    image.height = std::min(height, int(used / std::max<uint32_t>(bytesPerLine, 1)));
    image.pixels.resize(size_t(image.width) * size_t(image.height) * 3);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t *in = bytes + size_t(y) * bytesPerLine;
        uint8_t *out = &image.pixels[size_t(y) * size_t(width) * 3];
        for (int x = 0; x + 1 < width; x += 2, in += 4) {
            const int u = in[1] - 128, v = in[3] - 128;
            for (const int luma : {in[0], in[2]}) {
                const int c = 298 * (luma - 16) + 128;
                *out++ = clamped((c + 409 * v) >> 8);
                *out++ = clamped((c - 100 * u - 208 * v) >> 8);
                *out++ = clamped((c + 516 * u) >> 8);
            }
        }
    }
}

bool V4l2Capture::next(Frame &frame, Clock::time_point deadline, int stop, std::string &problem)
{
    for (;;) {
        v4l2_buffer b = {};
        b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        b.memory = V4L2_MEMORY_MMAP;
        const int result = io->ioctl(fd, VIDIOC_DQBUF, &b);
        if (result == 0) {
            const bool damaged = b.flags & V4L2_BUF_FLAG_ERROR;
            if (!damaged && b.index < buffers.size())
                convert(buffers[b.index], b.bytesused, frame);
            if (!ask(VIDIOC_QBUF, &b, "a buffer back", problem))
                return false;
            if (!damaged)
                return true;
            continue;
        }
        if (result != -EAGAIN) {
            problem = failure("a frame", result);
            return false;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            problem = nothingWithin(asked, deadline);
            return false;
        }
        const int ready = io->waitForFrame(fd, stop, int(left.count()));
        if (ready < 0 || ready & V4l2Io::Stopped) {
            problem = ready < 0 ? failure("a frame", ready) : "stopped";
            return false;
        }
    }
}

bool V4l2Capture::frame(Frame &frame, Clock::time_point deadline, int stop, std::string &problem)
{
    asked = Clock::now();
    if (!streaming && !start(problem)) {
        close();
        return false;
    }
    // The first frames of a stream come before exposure has settled: the first one given is
    // a later one, unless time runs out first.
    bool have = false;
    for (;;) {
        Frame got;
        if (!next(got, deadline, stop, problem)) {
            if (have && Clock::now() >= deadline)
                return true;
            if (problem != "stopped")
                close(); // the next frame asked for starts afresh
            return false;
        }
        frame = std::move(got);
        have = true;
        if (++taken >= SettleFrames && Clock::now() >= started + Settle)
            return true;
    }
}
