// A camera that takes 200 ms per control request (slow PTZ cameras and busy USB hubs do), as
// the kernel driver presents it, driven through the library the way the panel drives it,
// from a Qt event loop whose longest stall is measured: opening and reading the camera,
// dragging a slider, holding the joystick; then how long a release takes to become a stop
// request, and the CPU an open camera costs while nothing changes.
//   bench_slowcamera [LATENCY_MS]
#include "BenchSupport.h"
#include "FakeV4l2Io.h"
#include "V4l2Rig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// The longest time the event loop could not run a 1 ms timer while `work` ran (with the
// events it posts), until `done` holds.
qint64 longestStall(const std::function<void()> &work, const std::function<bool()> &done,
                    int limitMs)
{
    QElapsedTimer clock, sinceTick;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longest = std::max(longest, sinceTick.restart()); });
    ticker.start(1);
    clock.start();
    sinceTick.start();
    QTimer::singleShot(0, [&] {
        sinceTick.restart();
        work();
        longest = std::max(longest, sinceTick.restart());
    });
    while (clock.elapsed() < 100 || (!done() && clock.elapsed() < limitMs))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return longest;
}

// Runs `steps` calls `gapMs` apart through the event loop.
std::function<void()> spaced(int steps, int gapMs, std::function<void(int)> step)
{
    return [=] {
        for (int i = 0; i < steps; ++i)
            QTimer::singleShot(i * gapMs, [=] { step(i); });
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int latency = argc > 1 ? std::atoi(argv[1]) : 200;
    qputenv("CAMERACTRL_BACKEND", "v4l2");
    qputenv("CAMERACTRL_REMEMBER", "0");
    auto fake = fakeSystemV4l2Io();
    makePtzCamera(fake->node("/dev/video0"), PtzKind::CurrentRelativeAndAbsolute);
    fake->with("/dev/video0", [latency](FakeUvcCamera &c) {
        c.latency = std::chrono::milliseconds(latency);
        return 0;
    });
    const auto commits = [&] {
        return fake->with("/dev/video0", [](FakeUvcCamera &c) { return c.commits; });
    };

    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    std::vector<DeviceInfo> cameras;
    QElapsedTimer reading;
    reading.start();
    const qint64 open = longestStall(
        [&] {
            device->Close();
            BaseDevice::Initial();
            BaseDevice::EnumUSBDevices(cameras);
            device->Open("0", 1);
            device->ReadParameters();
            device->MenuOff();
        },
        [&] {
            int32_t pan = 0, tilt = 0; // known once every value has been read
            return device->LastPosition(&pan, &tilt);
        },
        120000);
    const qint64 readTime = reading.elapsed();

    // Looking at the fake camera waits for its lock: only between the measured runs.
    const size_t before = commits().size();
    const qint64 slider = longestStall(
        spaced(8, 40, [&](int i) { device->SetBrightness(i * 5); }), [] { return false; }, 1500);
    const size_t sliderRequests = commits().size() - before;

    // The joystick reports every 100 ms while held: a key, then speeds.
    const qint64 joystick = longestStall(
        spaced(10, 100, [&](int i) { device->PanRight(3 + 2 * (i % 4)); }), [] { return true; },
        1500);
    const size_t held = commits().size();
    QElapsedTimer release;
    release.start();
    for (auto stop : {&BaseDevice::TiltUpStop, &BaseDevice::TiltDownStop, &BaseDevice::PanLeftStop,
                      &BaseDevice::PanRightStop})
        (device->*stop)();
    // A commit is listed once the camera has answered it: sent one request time earlier.
    qint64 stopSent = -1;
    while (stopSent < 0 && release.elapsed() < 10000) {
        const auto now = commits();
        for (size_t i = held; i < now.size(); ++i)
            if (now[i].front() == std::make_pair(uint32_t(V4L2_CID_PAN_SPEED), 0))
                stopSent = std::max<qint64>(0, release.elapsed() - latency);
    }

    // Whatever the joystick left in flight ends first.
    QEventLoop calm;
    QTimer::singleShot(4 * latency + 500, &calm, &QEventLoop::quit);
    calm.exec();
    // The library's threads only: the main one is the bench's event loop.
    const double idleCpu = Bench::idleCpu(5000, false);

    std::printf("request time                       %d ms\n", latency);
    std::printf("longest stall, opening             %lld ms (camera read in %lld ms)\n",
                static_cast<long long>(open), static_cast<long long>(readTime));
    std::printf("longest stall, slider drag         %lld ms (%zu requests for 8 moves)\n",
                static_cast<long long>(slider), sliderRequests);
    std::printf("longest stall, joystick held 1 s   %lld ms\n", static_cast<long long>(joystick));
    std::printf("release to stop request sent       %lld ms\n", static_cast<long long>(stopSent));
    std::printf("CPU of the camera's thread, idle 5 s %.3f %%\n", idleCpu);
    const bool ok = open <= 50 && slider <= 50 && joystick <= 50 && stopSent >= 0 &&
                    stopSent <= latency + 20 && idleCpu < 0.005;
    std::printf("%s\n", ok ? "all targets met" : "a target was missed");
    return ok ? 0 : 1;
}
