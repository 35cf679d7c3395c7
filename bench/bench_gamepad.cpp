// SPDX-License-Identifier: GPL-2.0-or-later
// Game controllers, measured on the real panel with the simulated camera and SDL's virtual
// controller: the CPU the panel uses with no controller and with one attached and untouched,
// and the time from a stick moving to the camera call it causes.
#include "BenchSupport.h"
#include "ControllerModule.h"
#include "MainWindow.h"
#include "PrivateModule.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <SDL.h>

#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("CAMERACTRL_BACKEND", "sim");
    qputenv("CAMERACTRL_TRACE", trace.toLocal8Bit());
    qunsetenv("CAMERACTRL_SIM_DIR");
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    Bench::waitForCamera(window);
    PrivateModule::setDirectoryForTesting(PTZ_MODULE_DIR);
    ControllerModule module(window);
    Controllers *pads = module.open();
    if (!pads || !pads->available())
        return 1;
    Bench::idleCpu(1000);
    // Without a controller nothing may run: no timer, so the process hardly wakes.
    const long long asleep = Bench::wakeups();
    const double none = Bench::idleCpu(10000);
    const long long woke = Bench::wakeups() - asleep;

    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick *pad = SDL_JoystickOpen(index);
    pads->lookForControllers();
    QElapsedTimer clock;
    clock.start();
    while (pads->controllers() == 0 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    Bench::idleCpu(2500); // the search for arrivals ends
    const double idle = Bench::idleCpu(5000);

    std::vector<double> latencies;
    QRandomGenerator random(1);
    for (int i = 0; i < 200; ++i) {
        // A hand moves at any moment, not in step with the controller's reading.
        QElapsedTimer pause;
        pause.start();
        const int wait = random.bounded(0, 5000);
        while (pause.nsecsElapsed() < wait * 1000LL)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 size = QFileInfo(trace).size();
        QElapsedTimer moved;
        moved.start();
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, i % 2 ? 0 : 32767);
        while (QFileInfo(trace).size() == size && moved.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        latencies.push_back(moved.nsecsElapsed() / 1e6);
    }
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);

    const double median = Bench::percentile(latencies, 0.5);
    std::printf("CPU with no controller, 10 s         %.3f %% (%lld wake-ups)\n", none, woke);
    std::printf("CPU with one attached, untouched     %.3f %%\n", idle);
    std::printf("stick moved to camera call, median   %.2f ms\n", median);
    std::printf("stick moved to camera call, p99      %.2f ms\n",
                Bench::percentile(latencies, 0.99));
    const bool ok = woke <= 20 && idle <= 1 && median <= 5;
    std::printf("%s\n", ok ? "all targets met" : "a target was missed");
    return ok ? 0 : 1;
}
