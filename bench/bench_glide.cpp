// SPDX-License-Identifier: GPL-2.0-or-later
// Preset glides on the simulated camera through a camera session, as the panel runs them:
// when each arrives against the time asked, the CPU the process uses while it glides, and
// the steps a second. Exits non-zero when a target is missed.
#include "BenchSupport.h"
#include "CameraSession.h"
#include "SimCameras.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    SimCameras cameras;
    cameras.plug("a.cam", "name=Bench\n");
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    CameraSession session(device);
    if (!session.connectTo(0))
        return 1;
    bool missed = false;
    std::printf("| Glide asked | arrived after | steps | steps/s | CPU while gliding | |\n"
                "|---|---|---|---|---|---|\n");
    for (const double seconds : {0.5, 2.0, 5.0}) {
        // Far enough to move every axis in every step, near enough for the camera to keep up
        // in the shortest (else the glide is stretched to what it can).
        const bool out = seconds != 2.0;
        const auto at = [&](bool start) {
            const bool left = start == out;
            session.setPosition(left ? -50 : 50, left ? 0 : 40);
            device->SetZoomPosition(left ? 0 : 100);
        };
        at(false);
        session.store(1);
        at(true);

        QEventLoop loop;
        QObject::connect(&session, &CameraSession::glideArrived, &loop, &QEventLoop::quit);
        QTimer::singleShot(int(seconds * 1000) + 5000, &loop, &QEventLoop::quit);
        const double cpuBefore = Bench::cpuSeconds();
        QElapsedTimer clock;
        clock.start();
        if (session.glideTo(1, 0, seconds) != CameraSession::Result::Done)
            return 1;
        const int steps = session.glider().stepCount();
        loop.exec();
        const double took = clock.nsecsElapsed() / 1e9;
        const double cpu = 100 * (Bench::cpuSeconds() - cpuBefore) / took;
        // Within a step of the time asked, and the loop nearly idle meanwhile.
        const bool ok = std::abs(took - seconds) <= 0.06 && cpu <= 2.0;
        missed = missed || !ok;
        std::printf("| %.1f s | %.3f s | %d | %.1f | %.2f %% | %s |\n", seconds, took, steps,
                    steps / took, cpu, ok ? "ok" : "MISSED");
    }
    return missed ? 1 : 0;
}
