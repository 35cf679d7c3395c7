// SPDX-License-Identifier: GPL-2.0-or-later
// A camera that takes 200 ms per control request (slow PTZ cameras and busy USB hubs do), as
// the kernel driver presents it (the tests' fake, its lock included), driven through the
// library the way the panel drives it, from a Qt event loop whose longest stall is measured.
//
// Each round plugs a camera in afresh (the driver has cached nothing of it), "maps the
// window" and connects 500 ms later as the panel does: once as the selector lists the camera,
// once more for the enumeration. While the camera is being read:
//   - nobody acts: when the joystick and zoom lever, then the sliders, then every control
//     are live, against the floor of the requests the driver must make for them;
//   - 1 s after the map, a slider drag (8 moves, 40 ms apart), or the joystick held for 1 s
//     (a new speed every 100 ms): the time to the first request for it, to the camera having
//     it, and from the release to the stop;
//   - something every so often through the whole reading: how many of the reading's requests
//     went ahead of each (at most the rest of the query in flight), and the longest wait.
// Then, on that camera read: the drag, the hold, the release to the stop request, and the CPU
// an open camera costs while nothing changes.
//   bench_slowcamera [LATENCY_MS]
#include "BaseDevice.h"
#include "BenchSupport.h"
#include "FakeV4l2Io.h"
#include "RequestLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;
using Selector = FakeUvcCamera::Selector;

constexpr int MapToConnect = 500; // the panel's start-up timer
constexpr int MapToAct = 1000;
constexpr Selector LastRead = FakeUvcCamera::FocusAuto; // the library reads it last

int latency = 200;
std::shared_ptr<FakeV4l2Io> fake;
BaseDevice *device = nullptr;
int plugged = 0;
std::unique_ptr<RequestLog> requests; // the camera plugged last

qint64 msSince(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// Another camera, listed first (the panel connects the first).
void plugFresh()
{
    requests.reset();
    const std::string node = "/dev/video" + std::to_string(plugged);
    FakeNode &camera = fake->node(node);
    makePtzCamera(camera, PtzKind::CurrentRelativeAndAbsolute, "SER" + std::to_string(9 - plugged));
    camera.usb.device = "1-" + std::to_string(plugged + 2); // a camera of its own
    ++plugged;
    fake->with(node, [](FakeUvcCamera &c) {
        c.latency = std::chrono::milliseconds(latency);
        return 0;
    });
    requests = std::make_unique<RequestLog>(*fake, node);
}

// As the panel: list the cameras, connect the first as the selector shows it, then again.
Clock::time_point startUp()
{
    BaseDevice::Initial();
    std::vector<DeviceInfo> cameras;
    BaseDevice::EnumUSBDevices(cameras);
    const Clock::time_point opened = Clock::now();
    for (int connection = 0; connection < 2; ++connection) {
        device->Close();
        BaseDevice::Initial();
        device->Open("0", 1);
        device->ReadParameters();
        device->MenuOff();
    }
    return opened;
}

// The first request for `selector` that starts at `from` or later and passes `also`.
std::optional<RequestLog::Entry>
firstRequest(Selector selector, Clock::time_point from,
             const std::function<bool(const RequestLog::Entry &)> &also = {})
{
    for (const RequestLog::Entry &e : requests->entries())
        if (e.selector == selector && e.at >= from && (!also || also(e)))
            return e;
    return std::nullopt;
}

bool isSet(const RequestLog::Entry &e)
{
    return e.request == "SET_CUR";
}
bool moving(const RequestLog::Entry &e)
{
    return isSet(e) && e.data.size() == 4 && (e.data[0] || e.data[2]);
}
bool stopped(const RequestLog::Entry &e)
{
    return isSet(e) && e.data.size() == 4 && !e.data[0] && !e.data[2];
}
// The last request of the reading, once it has been answered.
std::optional<Clock::time_point> readAt()
{
    const auto last = firstRequest(LastRead, Clock::time_point(), [](const RequestLog::Entry &e) {
        return e.request == "GET_CUR";
    });
    if (!last || Clock::now() < last->at + std::chrono::milliseconds(latency))
        return std::nullopt;
    return last->at + std::chrono::milliseconds(latency);
}
// Where the driver's work for a write began: a control it fills in part is read just before.
Clock::time_point writeStart(const RequestLog::Entry &set)
{
    const std::vector<RequestLog::Entry> all = requests->entries();
    for (size_t i = 1; i < all.size(); ++i)
        if (all[i].at == set.at && all[i].selector == set.selector && isSet(all[i]))
            return all[i - 1].selector == set.selector && all[i - 1].request == "GET_CUR"
                       ? all[i - 1].at
                       : set.at;
    return set.at;
}

bool allRead()
{
    return readAt().has_value();
}

// The event loop, ticking every millisecond, until `done` holds (at most `limitMs`); returns
// the longest time it could not tick.
qint64 runUntil(const std::function<bool()> &done, int limitMs)
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
    while (clock.elapsed() < 100 || (!done() && clock.elapsed() < limitMs))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return longest;
}

// Runs `step(i)` for i < steps, `gapMs` apart, the first after `startMs`.
void spaced(int startMs, int steps, int gapMs, const std::function<void(int)> &step)
{
    for (int i = 0; i < steps; ++i)
        QTimer::singleShot(startMs + i * gapMs, Qt::PreciseTimer, [=] { step(i); });
}

struct Live
{
    qint64 motion = -1, sliders = -1, all = -1; // ms after the first Open
    qint64 motionFloor = 0, slidersFloor = 0, allFloor = 0;
    int descriptors = 0; // on the camera after start-up
    qint64 stall = 0;
};

bool slidersLive()
{
    device->ReadParameters();
    for (int position : {PARAM_BRIGHTNESS, PARAM_CONTRAST, PARAM_HUE, PARAM_SATURATION,
                         PARAM_SHARPNESS, PARAM_GAMMA, PARAM_BACKLIGHT, PARAM_WHITE_BALANCE})
        if (device->parameters[position].available != 1)
            return false;
    return true;
}

Live readAlone()
{
    plugFresh();
    Live live;
    Clock::time_point opened;
    QTimer::singleShot(MapToConnect, Qt::PreciseTimer, [&] {
        opened = startUp();
        live.descriptors = fake->openDescriptors();
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (opened == Clock::time_point())
            return;
        const qint64 now = msSince(opened, Clock::now());
        const uint32_t motion = CAP_PAN_TILT | CAP_ZOOM;
        if (live.motion < 0 && (device->Capabilities() & motion) == motion)
            live.motion = now;
        if (live.sliders < 0 && slidersLive())
            live.sliders = now;
        if (live.all < 0 && allRead())
            live.all = msSince(opened, *readAt());
    });
    watch.start(1);
    live.stall = runUntil([&] { return live.all >= 0 && live.sliders >= 0; }, 120000);
    // What the driver has to ask, at the least: the speed controls' ranges for the joystick and
    // zoom lever, the sliders' ranges and values, everything it asked for the whole.
    const auto range = [](const RequestLog::Entry &e) { return e.request != "GET_CUR"; };
    for (const RequestLog::Entry &e : requests->entries()) {
        const bool speed = e.selector == FakeUvcCamera::PanTiltRelative ||
                           e.selector == FakeUvcCamera::ZoomRelative;
        const bool slider =
            e.selector <= FakeUvcCamera::WhiteBalance || e.selector == FakeUvcCamera::Backlight;
        live.motionFloor += speed && range(e) ? latency : 0;
        live.slidersFloor += slider && !isSet(e) ? latency : 0;
        live.allFloor += latency;
    }
    return live;
}

struct Act
{
    qint64 firstRequest = -1, camera = -1, stop = -1; // ms after acting (stop: after release)
    std::string inFlight;                             // when acting
    qint64 stall = 0;
};

std::string inFlightAt(Clock::time_point when)
{
    std::string last = "nothing";
    for (const RequestLog::Entry &e : requests->entries())
        if (e.at <= when)
            last = e.line();
    return last;
}

Act dragAt1s()
{
    plugFresh();
    Act act;
    Clock::time_point dragged;
    QTimer::singleShot(MapToConnect, Qt::PreciseTimer, [] { startUp(); });
    spaced(MapToAct, 8, 40, [&](int i) {
        if (i == 0)
            dragged = Clock::now();
        device->SetBrightness(20 + 5 * i);
    });
    const auto set = [&] { return firstRequest(FakeUvcCamera::Brightness, dragged, isSet); };
    act.stall = runUntil([&] { return dragged != Clock::time_point() && set(); }, 60000);
    act.inFlight = inFlightAt(dragged);
    if (const auto first = firstRequest(FakeUvcCamera::Brightness, dragged))
        act.firstRequest = msSince(dragged, first->at);
    if (const auto s = set())
        act.camera = msSince(dragged, s->at);
    runUntil(allRead, 120000);
    return act;
}

Act holdAt1s()
{
    plugFresh();
    Act act;
    Clock::time_point pressed, released;
    QTimer::singleShot(MapToConnect, Qt::PreciseTimer, [] { startUp(); });
    // The joystick reports every 100 ms while held: a key, then speeds.
    spaced(MapToAct, 10, 100, [&](int i) {
        if (i == 0)
            pressed = Clock::now();
        device->PanRight(3 + 2 * (i % 4));
    });
    QTimer::singleShot(MapToAct + 1000, Qt::PreciseTimer, [&] {
        released = Clock::now();
        device->TiltUpStop();
        device->TiltDownStop();
        device->PanLeftStop();
        device->PanRightStop();
    });
    const auto stop = [&] {
        return released == Clock::time_point()
                   ? std::nullopt
                   : firstRequest(FakeUvcCamera::PanTiltRelative, released, stopped);
    };
    act.stall = runUntil([&] { return stop().has_value(); }, 60000);
    act.inFlight = inFlightAt(pressed);
    if (const auto set = firstRequest(FakeUvcCamera::PanTiltRelative, pressed, moving)) {
        act.firstRequest = msSince(pressed, writeStart(*set));
        act.camera = msSince(pressed, set->at);
    }
    if (const auto s = stop())
        act.stop = msSince(released, s->at);
    runUntil(allRead, 120000);
    return act;
}

struct Through
{
    int actions = 0;
    int mostAhead = 0; // requests of the reading between an action and its own
    qint64 longest = 0, median = 0;
    qint64 stall = 0;
};

// Alternately a brightness value, a joystick press and its release, spread over the reading.
Through actThroughTheReading(qint64 readMs)
{
    plugFresh();
    struct Action
    {
        Clock::time_point at;
        Selector selector;
        std::function<bool(const RequestLog::Entry &)> own;
    };
    std::vector<Action> actions;
    Clock::time_point opened;
    QTimer::singleShot(MapToConnect, Qt::PreciseTimer, [&] { opened = startUp(); });
    const int count = 15;
    const int gap = int(std::max<qint64>(readMs / count, 10));
    spaced(MapToConnect + gap / 2, count, gap, [&](int i) {
        const Clock::time_point now = Clock::now();
        if (allRead())
            return;
        if (i % 3 == 0) {
            device->SetBrightness(i);
            actions.push_back({now, FakeUvcCamera::Brightness, isSet});
        } else if (i % 3 == 1) {
            device->PanRight(12);
            actions.push_back({now, FakeUvcCamera::PanTiltRelative, moving});
        } else {
            device->PanRightStop();
            actions.push_back({now, FakeUvcCamera::PanTiltRelative, stopped});
        }
    });
    Through through;
    through.stall = runUntil(allRead, 120000);
    runUntil([] { return false; }, 4 * latency + 100); // the last action's request
    std::vector<double> waits;
    const std::vector<RequestLog::Entry> all = requests->entries();
    for (const Action &a : actions) {
        const auto own = firstRequest(a.selector, a.at, a.own);
        if (!own)
            continue;
        // The reading's requests that went ahead of it; not what other actions of the user
        // sent (a write, or the current value the driver reads just before it).
        int ahead = 0;
        for (size_t i = 0; i < all.size(); ++i) {
            const RequestLog::Entry &e = all[i];
            const bool user = isSet(e) || (i + 1 < all.size() && isSet(all[i + 1]) &&
                                           all[i + 1].selector == e.selector);
            ahead += e.at > a.at && e.at < own->at && e.selector != a.selector && !user;
        }
        through.mostAhead = std::max(through.mostAhead, ahead);
        waits.push_back(double(msSince(a.at, own->at)));
        ++through.actions;
    }
    through.longest = qint64(Bench::percentile(waits, 1.0));
    through.median = qint64(Bench::percentile(waits, 0.5));
    return through;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    latency = argc > 1 ? std::atoi(argv[1]) : 200;
    qputenv("CAMERACTRL_BACKEND", "v4l2");
    qputenv("CAMERACTRL_REMEMBER", "0");
    fake = fakeSystemV4l2Io();
    device = BaseDevice::CreateDevice(DEVICE_USB);

    const Live live = readAlone();
    const Act drag = dragAt1s();
    const Act hold = holdAt1s();
    const Through through = actThroughTheReading(live.all);

    // The camera is read now: as before, the drag, the hold and the release.
    const std::string node = "/dev/video" + std::to_string(plugged - 1);
    const auto commits = [&] {
        return fake->with(node, [](FakeUvcCamera &c) { return c.commits; });
    };
    // Looking at the fake camera waits for its lock: only between the measured runs.
    const size_t before = commits().size();
    const qint64 sliderDrag = [&] {
        spaced(0, 8, 40, [](int i) { device->SetBrightness(i * 5); });
        return runUntil([] { return false; }, 1500);
    }();
    const size_t sliderRequests = commits().size() - before;
    const qint64 joystick = [&] {
        spaced(0, 10, 100, [](int i) { device->PanRight(3 + 2 * (i % 4)); });
        return runUntil([] { return false; }, 1100);
    }();
    const Clock::time_point release = Clock::now();
    for (auto stop : {&BaseDevice::TiltUpStop, &BaseDevice::TiltDownStop, &BaseDevice::PanLeftStop,
                      &BaseDevice::PanRightStop})
        (device->*stop)();
    qint64 stopSent = -1;
    runUntil(
        [&] {
            const auto s = firstRequest(FakeUvcCamera::PanTiltRelative, release, stopped);
            stopSent = s ? msSince(release, s->at) : -1;
            return s.has_value();
        },
        10000);
    // Whatever the joystick left in flight ends first.
    runUntil([] { return false; }, 4 * latency + 500);
    const double idleCpu = Bench::idleCpu(5000, false); // the library's threads only

    const auto ms = [](qint64 v) {
        return v < 0 ? std::string("never") : std::to_string(v) + " ms";
    };
    std::printf("request time                              %d ms\n", latency);
    std::printf("While the camera is read (opened 500 ms after the window maps):\n");
    std::printf("  descriptors on the camera after start-up %d\n", live.descriptors);
    std::printf("  joystick and zoom lever live            %s (floor %lld ms)\n",
                ms(live.motion).c_str(), static_cast<long long>(live.motionFloor));
    std::printf("  every slider live                       %s (floor %lld ms)\n",
                ms(live.sliders).c_str(), static_cast<long long>(live.slidersFloor));
    std::printf("  every control read                      %s (floor %lld ms)\n",
                ms(live.all).c_str(), static_cast<long long>(live.allFloor));
    std::printf("  slider drag at 1 s: first request       %s, camera set %s (in flight: %s)\n",
                ms(drag.firstRequest).c_str(), ms(drag.camera).c_str(), drag.inFlight.c_str());
    std::printf("  joystick at 1 s: first request          %s, camera moving %s (in flight: %s), "
                "stop %s after release\n",
                ms(hold.firstRequest).c_str(), ms(hold.camera).c_str(), hold.inFlight.c_str(),
                ms(hold.stop).c_str());
    std::printf("  %d actions through the reading: wait    median %lld ms, longest %lld ms; at "
                "most %d requests of the reading ahead\n",
                through.actions, static_cast<long long>(through.median),
                static_cast<long long>(through.longest), through.mostAhead);
    const qint64 readingStall = std::max({live.stall, drag.stall, hold.stall, through.stall});
    std::printf("  longest stall of the event loop         %lld ms (%lld, %lld, %lld, %lld)\n",
                static_cast<long long>(readingStall), static_cast<long long>(live.stall),
                static_cast<long long>(drag.stall), static_cast<long long>(hold.stall),
                static_cast<long long>(through.stall));
    std::printf("Once it is read:\n");
    std::printf("  longest stall, slider drag              %lld ms (%zu requests for 8 moves)\n",
                static_cast<long long>(sliderDrag), sliderRequests);
    std::printf("  longest stall, joystick held 1 s        %lld ms\n",
                static_cast<long long>(joystick));
    std::printf("  release to stop request sent            %s\n", ms(stopSent).c_str());
    std::printf("  CPU of the camera's thread, idle 5 s    %.3f %%\n", idleCpu);

    const bool ok = live.descriptors == 1 && drag.firstRequest >= 0 && drag.firstRequest <= 500 &&
                    hold.firstRequest >= 0 && hold.firstRequest <= 500 && hold.stop >= 0 &&
                    through.mostAhead <= 3 && readingStall <= 16 && sliderDrag <= 16 &&
                    joystick <= 16 && stopSent >= 0 && stopSent <= latency + 20 && idleCpu < 0.005;
    std::printf("%s\n", ok ? "all targets met" : "a target was missed");
    return ok ? 0 : 1;
}
