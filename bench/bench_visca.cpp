// SPDX-License-Identifier: GPL-2.0-or-later
// A VISCA camera over loopback (the tests' emulator), driven through the library's VISCA
// backend as the panel drives it: the time from a call to its bytes on the wire, and from
// the camera's answer on the wire to the library having handled it (median and p99 over
// 2000 image commands); the drive commands a joystick held 1 s sends (a new speed every
// 10 ms) against a camera answering at once and one taking 30 ms; and the longest call
// while the camera answers nothing at all.
//   bench_visca [udp|tcp]
#include "BenchSupport.h"
#include "ViscaBackend.h"
#include "ViscaEmulator.h"

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Camera
{
    ViscaEmulator emulator;
    ViscaBackend backend;
    std::unique_ptr<BaseDevice> device;

    explicit Camera(bool overUdp)
    {
        qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(emulator.line("Bench", overUdp)));
        device = backend.createDevice();
        device->Open("0", 1);
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (!device->Capabilities() && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        emulator.clearReceived();
    }
};

// A joystick held for a second; drive commands sent.
size_t held(bool overUdp, std::chrono::milliseconds answer)
{
    Camera camera(overUdp);
    camera.emulator.change([&](auto &c) { c.completionDelay = answer; });
    for (int i = 0; i < 100; ++i) {
        camera.device->PanRight(1 + i % 24);
        camera.device->TiltUp(1 + i % 16);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    camera.device->PanRightStop();
    camera.device->TiltUpStop();
    camera.device->WaitUntilSent(2000);
    size_t drives = 0;
    for (const auto &command : camera.emulator.commands())
        drives += command.size() == 9 && command[2] == 0x06 && command[3] == 0x01;
    return drives;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("XDG_CONFIG_HOME", "/nonexistent"); // the user's cameras stay out of it
    const bool overUdp = argc < 2 || std::strcmp(argv[1], "tcp") != 0;
    bool missed = false;
    {
        Camera camera(overUdp);
        std::vector<double> toWire, toHandled;
        for (int i = 0; i < 2000; ++i) {
            camera.emulator.clearReceived();
            const Clock::time_point called = Clock::now();
            camera.device->SetBrightness(i % 15);
            camera.device->WaitUntilSent(1000);
            const Clock::time_point handled = Clock::now();
            const auto received = camera.emulator.received();
            if (received.empty())
                continue;
            toWire.push_back(ms(received.front().at - called));
            toHandled.push_back(ms(handled - received.front().at));
        }
        std::printf("%s: call to bytes on the wire   median %.3f ms, p99 %.3f ms\n",
                    overUdp ? "udp" : "tcp", Bench::percentile(toWire, 0.5),
                    Bench::percentile(toWire, 0.99));
        std::printf("%s: wire to answer handled      median %.3f ms, p99 %.3f ms\n",
                    overUdp ? "udp" : "tcp", Bench::percentile(toHandled, 0.5),
                    Bench::percentile(toHandled, 0.99));
    }
    std::printf("joystick held 1 s (100 new speeds): %zu drive commands, camera answering at "
                "once; %zu, camera taking 30 ms\n",
                held(overUdp, std::chrono::milliseconds(0)),
                held(overUdp, std::chrono::milliseconds(30)));
    {
        Camera camera(overUdp);
        camera.emulator.change([](auto &c) { c.silent = true; });
        double longest = 0;
        const Clock::time_point start = Clock::now();
        for (int i = 0; Clock::now() - start < std::chrono::seconds(2); ++i) {
            const Clock::time_point before = Clock::now();
            camera.device->PanLeft(1 + i % 24);
            camera.device->SetContrast(i % 15);
            int32_t pan = 0;
            camera.device->GetPanPosition(&pan);
            longest = std::max(longest, ms(Clock::now() - before));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        missed = longest > 50;
        std::printf("longest call while the camera answers nothing: %.1f ms (target <= 50 ms) "
                    "%s\n",
                    longest, missed ? "MISSED" : "ok");
    }
    return missed ? 1 : 0;
}
