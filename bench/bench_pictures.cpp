// SPDX-License-Identifier: GPL-2.0-or-later
// How long a preset's picture takes, per kind of camera (the tests' cameras: the simulated
// one, the V4L2 fake at 30 frames a second, the ONVIF emulator's snapshot, a snapshot URL and
// an RTSP stream on the loopback): from SetPreset to the picture kept, median and slowest of
// 10, the camera standing still; the first picture apart (it loads the modules and, for a
// stream, starts GStreamer). Then live view: frames a second over 3 s, and how long the
// caller's calls took meanwhile (target: live view at least 2 frames a second).
#include "BenchSupport.h"
#include "PictureRig.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir config; // the user's cameras and pictures stay out of it
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const struct
    {
        PictureRig::Kind kind;
        const char *name;
    } kinds[] = {{PictureRig::Sim, "simulated"},
                 {PictureRig::UsbMjpeg, "USB, MJPEG 320x180"},
                 {PictureRig::UsbYuyv, "USB, YUYV 320x180"},
                 {PictureRig::Onvif, "ONVIF snapshot"},
                 {PictureRig::Snapshot, "snapshot URL"},
                 {PictureRig::Stream, "RTSP stream (MJPEG 640x360)"}};
    bool missed = false;
    std::printf("%-28s %10s %10s %10s %14s %16s\n", "camera", "first", "median", "slowest",
                "live frames/s", "longest call");
    for (const auto &k : kinds) {
        PictureRig rig(k.kind);
        if (!rig.open()) {
            std::printf("%-28s could not be opened\n", k.name);
            missed = true;
            continue;
        }
        std::vector<double> times;
        double first = 0;
        for (int i = 0; i <= 10; ++i) {
            rig.aim(1 + i % 2);
            const Clock::time_point asked = Clock::now();
            const PictureRig::Shot shot = rig.store(1 + i % 2);
            const double took = ms(Clock::now() - asked);
            if (!shot.version)
                std::printf("  no picture: %s\n", shot.problem.c_str());
            if (i == 0)
                first = took;
            else
                times.push_back(took);
        }
        double rate = 0, longest = 0;
        if (rig.device->StartLiveView()) {
            uint32_t start = 0, end = 0;
            const Clock::time_point until = Clock::now() + std::chrono::seconds(1);
            while (!rig.device->LiveFrame(nullptr, &start) &&
                   Clock::now() < until + std::chrono::seconds(4))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const Clock::time_point from = Clock::now();
            while (Clock::now() - from < std::chrono::seconds(3)) {
                const Clock::time_point before = Clock::now();
                rig.device->LiveFrame(nullptr, &end);
                rig.device->PanRight(3);
                rig.device->PanRightStop();
                longest = std::max(longest, ms(Clock::now() - before));
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            rate = (end - start) / 3.0;
            rig.device->StopLiveView();
            missed = missed || rate < 2;
        }
        std::printf("%-28s %7.1f ms %7.1f ms %7.1f ms %14.1f %13.2f ms\n", k.name, first,
                    Bench::percentile(times, 0.5), Bench::percentile(times, 1.0), rate, longest);
    }
    return missed ? 1 : 0;
}
