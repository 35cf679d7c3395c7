// SPDX-License-Identifier: GPL-2.0-or-later
// How the library keeps track of network cameras (the tests' emulators over loopback): the
// requests an idle camera gets, once read, over `seconds` (target: at most one every 5 s),
// for VISCA over UDP and TCP and for ONVIF; and, for VISCA cameras switched off and on again,
// the time from the camera's return to the first command that reaches it, the user trying
// every 10 ms (target: under 6 s), with the time the library took to find it gone.
//   bench_health [seconds]
#include "BenchSupport.h"
#include "NetworkCameras.h"
#include "OnvifBackend.h"
#include "OnvifEmulator.h"
#include "ViscaBackend.h"
#include "ViscaEmulator.h"

#include <QByteArray>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

template <typename Done> bool waitFor(Done done, std::chrono::seconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (!done() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return done();
}

struct Visca
{
    ViscaEmulator emulator;
    ViscaBackend backend;
    std::unique_ptr<BaseDevice> device;

    explicit Visca(bool overUdp)
    {
        qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(emulator.line("Bench", overUdp)));
        device = backend.createDevice();
        device->Open("0", 1);
        waitFor([&] { return device->Capabilities() != 0; }, std::chrono::seconds(3));
        device->WaitUntilSent(3000);
    }
};

struct Onvif
{
    OnvifEmulator emulator;
    std::unique_ptr<OnvifBackend> backend;
    std::unique_ptr<BaseDevice> device;

    Onvif()
    {
        qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(emulator.line("Bench")));
        backend = std::make_unique<OnvifBackend>();
        device = backend->createDevice();
        device->Open("0", 1);
        waitFor([&] { return device->Capabilities() != 0; }, std::chrono::seconds(10));
    }
};

// Requests an idle camera got, the reading over, per 5 s.
void idle(int span)
{
    Visca udp(true), tcp(false);
    Onvif onvif;
    // The last of the reading may still be on its way.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    udp.emulator.clearReceived();
    tcp.emulator.clearReceived();
    onvif.emulator.clearReceived();
    std::this_thread::sleep_for(std::chrono::seconds(span));
    const auto rate = [&](size_t count) { return 5.0 * double(count) / span; };
    bool missed = false;
    for (const auto &[name, count] : {std::pair{"VISCA udp", udp.emulator.received().size()},
                                      std::pair{"VISCA tcp", tcp.emulator.received().size()},
                                      std::pair{"ONVIF", onvif.emulator.received().size()}}) {
        const bool over = rate(count) > 1.0 + 5.0 / span; // one more may fall inside
        missed = missed || over;
        std::printf("idle %s camera: %zu requests in %d s, %.2f per 5 s (target <= 1) %s\n", name,
                    count, span, rate(count), over ? "MISSED" : "ok");
    }
    if (missed)
        std::exit(1);
}

// Off, found gone; on again after a while; the user's joystick tries every 10 ms.
bool comesBack(bool overUdp, int rounds)
{
    Visca camera(overUdp);
    std::mt19937 random(7);
    std::vector<double> noticed, back;
    for (int round = 0; round < rounds; ++round) {
        camera.emulator.switchOff();
        const Clock::time_point off = Clock::now();
        if (!waitFor([&] { return camera.device->Health() == HEALTH_NOT_ANSWERING; },
                     std::chrono::seconds(15)))
            return false;
        noticed.push_back(seconds(Clock::now() - off));
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 3000));
        camera.emulator.clearReceived();
        camera.emulator.switchOn();
        const Clock::time_point on = Clock::now();
        int speed = 1;
        const bool reached = waitFor(
            [&] {
                camera.device->PanRight(speed = speed % 24 + 1);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                return !camera.emulator.commands().empty();
            },
            std::chrono::seconds(15));
        if (!reached)
            return false;
        for (const ViscaEmulator::Received &r : camera.emulator.received())
            if (r.message.size() > 3 && r.message[1] == 0x01 && r.message[2] == 0x06) {
                back.push_back(seconds(r.at - on));
                break;
            }
        camera.device->PanRightStop();
        camera.device->WaitUntilSent(2000);
    }
    const double worst = Bench::percentile(back, 1.0);
    std::printf("VISCA %s, %d returns: found gone after %.1f s median; first command through "
                "%.2f s median, %.2f s at worst after its return (target < 6 s) %s\n",
                overUdp ? "udp" : "tcp", rounds, Bench::percentile(noticed, 0.5),
                Bench::percentile(back, 0.5), worst, worst < 6 ? "ok" : "MISSED");
    return worst < 6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("XDG_CONFIG_HOME", "/nonexistent"); // the user's cameras stay out of it
    const int span = argc > 1 ? std::max(10, std::atoi(argv[1])) : 30;
    idle(span);
    bool ok = true;
    for (const bool overUdp : {true, false})
        ok = comesBack(overUdp, 5) && ok;
    return ok ? 0 : 1;
}
