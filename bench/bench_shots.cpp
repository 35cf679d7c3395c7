// SPDX-License-Identifier: GPL-2.0-or-later
// Shots and tours as the panel runs them (Shows on a session of each camera): how far apart
// four VISCA cameras over loopback (the tests' emulator) are told a shot's first and last
// steps, or its recall, on the wire; and the CPU the process uses while a tour runs round and
// round on the simulated camera. Exits non-zero when a target is missed.
#include "BaseDevice.h"
#include "BenchSupport.h"
#include "CameraSessions.h"
#include "CameraTarget.h"
#include "ShowCameras.h"
#include "ShowEvents.h"
#include "Shows.h"
#include "SimCameras.h"
#include "ViscaEmulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace {

constexpr int Cameras = 4;
constexpr int Recalls = 6;

class Sessions : public ShowCameras
{
public:
    explicit Sessions(ShowEvents &events) : sessions([this] { return cameraNames(); }, events)
    {
        std::vector<DeviceInfo> found;
        BaseDevice::Initial();
        BaseDevice::EnumUSBDevices(found);
        for (const DeviceInfo &camera : found)
            names << QString::fromStdString(camera.name);
    }
    QStringList cameraNames() const override { return names; }
    CameraTarget *targetOf(const QString &camera, Outcome &) override
    {
        return sessions.of(camera);
    }

private:
    CameraSessions sessions;
    QStringList names;
};

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// `arguments` as the command line gives them, on `shows` or on the camera they name.
Outcome run(Shows &shows, Sessions &cameras, Command c)
{
    std::optional<Outcome> done;
    const auto reply = [&done](const Outcome &outcome) { done = outcome; };
    Outcome why;
    if (Command::isShow(c.kind))
        shows.run(c, reply);
    else
        cameras.targetOf(c.on, why)->run(c, reply);
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return *done;
}

Command command(Command::Kind kind, const QString &on = {})
{
    Command c;
    c.kind = kind;
    c.on = on;
    return c;
}

// Milliseconds between the first and the last camera to be told the first (or last) message
// that starts with `prefix` since the log was cleared.
double spread(std::array<ViscaEmulator, Cameras> &emulators, const ViscaEmulator::Bytes &prefix,
              bool last)
{
    std::vector<double> at;
    for (ViscaEmulator &camera : emulators) {
        std::optional<double> told;
        for (const ViscaEmulator::Received &r : camera.received())
            if (std::equal(prefix.begin(), prefix.end(), r.message.begin()) &&
                r.message.size() >= prefix.size() && (last || !told))
                told = std::chrono::duration<double, std::milli>(r.at.time_since_epoch()).count();
        if (!told)
            return 1e9;
        at.push_back(*told);
    }
    return *std::max_element(at.begin(), at.end()) - *std::min_element(at.begin(), at.end());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    std::array<ViscaEmulator, Cameras> emulators;
    QByteArray lines;
    for (int i = 0; i < Cameras; ++i)
        lines +=
            QByteArray::fromStdString(emulators[size_t(i)].line("Cam" + std::to_string(i), true)) +
            ';';
    qputenv("CAMERACTRL_VISCA", lines);
    SimCameras sim;
    sim.plug("a.cam", "name=Tour\n");
    ShowEvents events;
    Sessions cameras(events);
    Shows shows(cameras, events, config.path());

    // Two presets on each camera, and the shots between them, timed and not.
    for (const int preset : {1, 2}) {
        for (const QString &camera : cameras.cameraNames()) {
            Command there = command(Command::Position, camera);
            there.pan = preset == 1 ? 400 : -400;
            there.tilt = preset == 1 ? 100 : -100;
            if (run(shows, cameras, there).exitCode)
                return 1;
        }
        wait(300);
        for (const QString &camera : cameras.cameraNames()) {
            Command store = command(Command::Store, camera);
            store.number = preset;
            run(shows, cameras, store);
        }
        for (const bool timed : {true, false}) {
            Command shot = command(Command::DefineShot);
            shot.name = QStringLiteral("%1%2").arg(timed ? "glide" : "recall").arg(preset);
            shot.seconds = timed ? 2 : 0;
            for (int i = 0; i < Cameras; ++i)
                shot.cues.append({QStringLiteral("Cam%1").arg(i), QString::number(preset)});
            if (run(shows, cameras, shot).exitCode)
                return 1;
        }
    }

    bool missed = false;
    std::printf("| Shot across %d VISCA cameras (%d recalls) | median | worst | target | |\n"
                "|---|---|---|---|---|\n",
                Cameras, Recalls);
    const auto report = [&](const char *what, std::vector<double> ms, double target) {
        const double worst = *std::max_element(ms.begin(), ms.end());
        const bool ok = worst <= target;
        missed = missed || !ok;
        std::printf("| %s | %.1f ms | %.1f ms | ≤ %.0f ms | %s |\n", what,
                    Bench::percentile(ms, 0.5), worst, target, ok ? "ok" : "MISSED");
    };
    const ViscaEmulator::Bytes step = {0x81, 0x01, 0x06, 0x02};
    const ViscaEmulator::Bytes recall = {0x81, 0x01, 0x04, 0x3f, 0x02};
    std::vector<double> starts, arrivals, recalls;
    for (int i = 0; i < Recalls; ++i) {
        for (const bool timed : {true, false}) {
            for (ViscaEmulator &camera : emulators)
                camera.clearReceived();
            Command shot = command(Command::Shot);
            shot.name = QStringLiteral("%1%2").arg(timed ? "glide" : "recall").arg(1 + i % 2);
            if (run(shows, cameras, shot).exitCode)
                return 1;
            while (shows.isMoving())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            wait(200); // the last steps on the wire
            if (timed) {
                starts.push_back(spread(emulators, step, false));
                arrivals.push_back(spread(emulators, step, true));
            } else {
                recalls.push_back(spread(emulators, recall, false));
            }
        }
    }
    report("first steps of a 2 s shot, apart", starts, 20);
    report("last steps, apart", arrivals, 100);
    report("recalls of a shot without a time, apart", recalls, 20);

    // A tour round and round, a glide at speed 8 and half a second at each preset.
    for (const int preset : {1, 2}) {
        Command there = command(Command::Position, "Tour");
        there.pan = preset == 1 ? 60 : -60;
        run(shows, cameras, there);
        Command store = command(Command::Store, "Tour");
        store.number = preset;
        run(shows, cameras, store);
    }
    Command tour = command(Command::DefineTour);
    tour.name = "sweep";
    tour.text = "Tour";
    tour.loop = true;
    tour.cues = {{{}, "1", 8, 0, 0.5}, {{}, "2", 8, 0, 0.5}};
    run(shows, cameras, tour);
    Command start = command(Command::Tour);
    start.name = "sweep";
    if (run(shows, cameras, start).exitCode)
        return 1;
    const double before = Bench::cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    wait(6000);
    const double cpu = 100 * (Bench::cpuSeconds() - before) / (clock.nsecsElapsed() / 1e9);
    const bool ok = cpu <= 2.0 && shows.isMoving();
    missed = missed || !ok;
    std::printf("\n| Tour on the simulated camera | CPU over 6 s | target | |\n|---|---|---|---|\n"
                "| glides at speed 8, 0.5 s dwells | %.2f %% | ≤ 2 %% | %s |\n",
                cpu, ok ? "ok" : "MISSED");
    shows.stopAll("bench");
    return missed ? 1 : 0;
}
