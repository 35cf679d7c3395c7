// SPDX-License-Identifier: GPL-2.0-or-later
// A slow camera never slows the caller: every request to the camera runs on its worker
// thread, values of one control coalesce, a stop goes ahead of what waits, what the user
// asks goes ahead of the camera's reading, what other programs change reaches the listener
// (and our own writes do not echo), and an unplug or a close in the middle of a request or
// of the reading leaves nothing blocked.
#include "RequestLog.h"
#include "StderrCapture.h"
#include "V4l2Rig.h"

#include <QtTest>

#include <functional>
#include <future>
#include <map>
#include <numeric>
#include <thread>

namespace {

using Commit = std::vector<std::pair<uint32_t, int32_t>>;

void setLatency(V4l2Rig &rig, int ms)
{
    rig.fake->with("/dev/video0", [ms](FakeUvcCamera &c) {
        c.latency = std::chrono::milliseconds(ms);
        return 0;
    });
}

int requestsFromHere(V4l2Rig &rig)
{
    const auto here = std::this_thread::get_id();
    return rig.fake->with("/dev/video0", [here](FakeUvcCamera &c) { return c.requestsFrom(here); });
}

// Where `line` first comes in `lines` at or after `from`; -1 if not.
int indexOf(const std::vector<std::string> &lines, const std::string &line, int from = 0)
{
    const auto found =
        std::find(lines.begin() + std::min<long>(from, long(lines.size())), lines.end(), line);
    return found == lines.end() ? -1 : int(found - lines.begin());
}

// Runs `calls` on another thread while the camera holds a request, then releases it: true
// when they all returned meanwhile, so none of them waited for the camera.
bool returnWhileHeld(RequestLog &log, const std::function<bool()> &calls)
{
    auto done = std::async(std::launch::async, calls);
    const bool returned = done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    log.release();
    return done.get() && returned;
}

int commitsOf(const std::vector<Commit> &commits, uint32_t id)
{
    return int(std::count_if(commits.begin(), commits.end(), [id](const Commit &c) {
        return std::any_of(c.begin(), c.end(), [id](const auto &w) { return w.first == id; });
    }));
}

} // namespace

class tst_V4l2Thread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void slowCameraIsReadInTheBackground();
    void burstOfValuesCoalesces();
    void stopGoesFirst();
    void fakeLocksAsTheDriver_data();
    void fakeLocksAsTheDriver();
    void userGoesAheadOfTheReading();
    void closedDuringTheReading_data();
    void closedDuringTheReading();
    void changesElsewhereReachTheListener();
    void unplugWhileBusy();
    void positionOfASlowThenGoneCamera();
    void closeInTheMiddleOfARequest();

private:
    QTemporaryDir config;
};

void tst_V4l2Thread::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("CAMERACTRL_REMEMBER", "0"); // every test starts from the camera's own values
}

void tst_V4l2Thread::slowCameraIsReadInTheBackground()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61RelativeAndAbsolute);
    setLatency(rig, 20);
    RequestLog log(*rig.fake, "/dev/video0", FakeUvcCamera::PanTiltRelative);
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));
    QVERIFY(returnWhileHeld(log, [&] {
        int32_t pan = 0;
        rig.device->GetPanPosition(&pan); // not known yet
        // Taken now, sent once the camera is known.
        return rig.device->ReadParameters() && rig.device->PanRight(12);
    }));
    // The records fill as the camera answers, and the listener hears of it.
    QTRY_VERIFY_WITH_TIMEOUT(rig.device->Capabilities() & CAP_PAN_TILT, 20000);
    QTRY_VERIFY(rig.listened.changes & CHANGED_PARAMETERS);
    QTRY_VERIFY(rig.device->ReadParameters() &&
                rig.device->parameters[PARAM_BRIGHTNESS].currentValue == 10);
    QTRY_VERIFY(rig.pan() > 3600);
    QVERIFY(rig.device->PanRightStop());
    int32_t pan = 0;
    rig.device->GetPanPosition(&pan);
    QCOMPARE(requestsFromHere(rig), 0);
}

void tst_V4l2Thread::burstOfValuesCoalesces()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    // The camera does not answer the first value until the others have been asked for.
    RequestLog log(*rig.fake, "/dev/video0", FakeUvcCamera::Brightness);
    QVERIFY(rig.device->SetBrightness(-50));
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));
    QVERIFY(returnWhileHeld(log, [&] {
        bool taken = true;
        for (int value = -49; value < 50; ++value)
            taken = rig.device->SetBrightness(value) && taken;
        return taken;
    }));
    QTRY_COMPARE(rig.value(V4L2_CID_BRIGHTNESS), int64_t(49));
    QCOMPARE(commitsOf(rig.commits(), V4L2_CID_BRIGHTNESS), 2); // the first, then the latest
    QCOMPARE(requestsFromHere(rig), 0);
}

void tst_V4l2Thread::stopGoesFirst()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::CurrentRelativeOnly);
    QVERIFY(rig.open());
    QVERIFY(rig.device->PanRight(5));
    QTRY_VERIFY(rig.pan() > 0);
    RequestLog log(*rig.fake, "/dev/video0", FakeUvcCamera::Brightness);
    QVERIFY(rig.device->SetBrightness(1)); // the camera is busy with this one
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));
    for (int speed = 6; speed < 16; ++speed)
        QVERIFY(rig.device->PanRight(speed));
    QVERIFY(rig.device->SetContrast(20));
    QVERIFY(rig.device->PanRightStop());
    log.release();
    QTRY_COMPARE(rig.value(V4L2_CID_CONTRAST), int64_t(20));
    const auto commits = rig.commits();
    const auto brightness = std::find_if(commits.begin(), commits.end(), [](const Commit &c) {
        return c.front().first == V4L2_CID_BRIGHTNESS;
    });
    QVERIFY(brightness != commits.end() && commits.end() - brightness >= 3);
    const Commit stop = {{V4L2_CID_PAN_SPEED, 0}, {V4L2_CID_TILT_SPEED, 0}};
    QVERIFY(*(brightness + 1) == stop);
    QCOMPARE((brightness + 2)->front().first, uint32_t(V4L2_CID_CONTRAST));
    QCOMPARE(commitsOf(commits, V4L2_CID_PAN_SPEED), 2); // the speed updates went unsent
}

void tst_V4l2Thread::fakeLocksAsTheDriver_data()
{
    QTest::addColumn<ulong>("request");
    QTest::addColumn<bool>("waits");
    QTest::newRow("capabilities") << ulong(VIDIOC_QUERYCAP) << false;
    QTest::newRow("event") << ulong(VIDIOC_DQEVENT) << false;
    QTest::newRow("control") << ulong(VIDIOC_QUERY_EXT_CTRL) << true;
    QTest::newRow("menu") << ulong(VIDIOC_QUERYMENU) << true;
    QTest::newRow("get") << ulong(VIDIOC_G_EXT_CTRLS) << true;
    QTest::newRow("set") << ulong(VIDIOC_S_EXT_CTRLS) << true;
    QTest::newRow("subscription") << ulong(VIDIOC_SUBSCRIBE_EVENT) << true;
}

void tst_V4l2Thread::fakeLocksAsTheDriver()
{
    QFETCH(ulong, request);
    QFETCH(bool, waits);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::CurrentRelativeAndAbsolute);
    RequestLog log(*rig.fake, "/dev/video0", FakeUvcCamera::Gamma);
    const int busy = rig.fake->open("/dev/video0"), other = rig.fake->open("/dev/video0");
    std::thread transfer([&] {
        v4l2_query_ext_ctrl query = {};
        query.id = V4L2_CID_GAMMA;
        rig.fake->ioctl(busy, VIDIOC_QUERY_EXT_CTRL, &query);
    });
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));

    // Another program asks while that transfer runs.
    v4l2_capability caps = {};
    v4l2_event event = {};
    v4l2_query_ext_ctrl query = {};
    query.id = V4L2_CID_BRIGHTNESS;
    v4l2_querymenu menu = {};
    menu.id = V4L2_CID_POWER_LINE_FREQUENCY;
    menu.index = 1;
    v4l2_ext_control item = {};
    item.id = V4L2_CID_BRIGHTNESS;
    item.value = 3;
    v4l2_ext_controls controls = {};
    controls.count = 1;
    controls.controls = &item;
    v4l2_event_subscription subscription = {};
    subscription.type = V4L2_EVENT_CTRL;
    subscription.id = V4L2_CID_BRIGHTNESS;
    const std::map<ulong, void *> arguments = {{VIDIOC_QUERYCAP, &caps},
                                               {VIDIOC_DQEVENT, &event},
                                               {VIDIOC_QUERY_EXT_CTRL, &query},
                                               {VIDIOC_QUERYMENU, &menu},
                                               {VIDIOC_G_EXT_CTRLS, &controls},
                                               {VIDIOC_S_EXT_CTRLS, &controls},
                                               {VIDIOC_SUBSCRIBE_EVENT, &subscription}};
    auto answer = std::async(
        std::launch::async, [&] { return rig.fake->ioctl(other, request, arguments.at(request)); });
    const auto cleanUp = qScopeGuard([&] { // also when a check fails
        log.release();
        transfer.join();
    });
    if (waits)
        QVERIFY(answer.wait_for(std::chrono::milliseconds(100)) == std::future_status::timeout);
    else
        QVERIFY(answer.wait_for(std::chrono::seconds(10)) == std::future_status::ready);
    log.release();
    QVERIFY(answer.wait_for(std::chrono::seconds(10)) == std::future_status::ready);
    QCOMPARE(answer.get(), request == VIDIOC_DQEVENT ? -ENOENT : 0);
    rig.fake->close(busy);
    rig.fake->close(other);
}

void tst_V4l2Thread::userGoesAheadOfTheReading()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::CurrentRelativeAndAbsolute);
    // The camera does not answer the first request for gamma until released.
    RequestLog log(*rig.fake, "/dev/video0", FakeUvcCamera::Gamma);
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));
    // Read so far, one control after the other in the panel's order: each whole, no more.
    QVERIFY(rig.device->ReadParameters());
    QCOMPARE(rig.device->parameters[PARAM_SHARPNESS].currentValue, 2);
    QCOMPARE(rig.device->parameters[PARAM_SHARPNESS].available, 1);
    QCOMPARE(rig.device->parameters[PARAM_GAMMA].available, 0);
    QCOMPARE(rig.device->parameters[PARAM_BACKLIGHT].maximum, 0);
    QVERIFY(rig.device->Capabilities() & CAP_PAN_TILT);

    QVERIFY(rig.device->SetBrightness(20));
    QVERIFY(rig.device->PanRight(12));
    QVERIFY(rig.device->SetFlicker(2)); // not read yet: it is, just before it is written
    log.release();
    QTRY_COMPARE(rig.value(V4L2_CID_POWER_LINE_FREQUENCY), int64_t(2));
    QVERIFY(rig.readCompletely());
    QVERIFY(rig.pan() > 0);
    QVERIFY(rig.device->PanRightStop());

    // Once the request held ends, the motion, then the writes, then the rest of the reading.
    const std::vector<std::string> lines = log.lines();
    const int held = indexOf(lines, "GET_RES gamma");
    QVERIFY(held >= 0);
    const int motion = indexOf(lines, "SET_CUR pantilt-relative", held);
    const int brightness = indexOf(lines, "SET_CUR brightness", held);
    const int flickerRead = indexOf(lines, "GET_DEF power-line", held);
    const int flicker = indexOf(lines, "SET_CUR power-line", held);
    const int backlight = indexOf(lines, "GET_DEF backlight", held);
    QVERIFY2(held < motion && motion < brightness && brightness < flickerRead &&
                 flickerRead < flicker && flicker < backlight,
             qPrintable(QString::fromStdString(std::accumulate(
                 lines.begin() + held, lines.end(), std::string(),
                 [](std::string a, const std::string &b) { return a + b + ", "; }))));
    QVERIFY(rig.device->ReadParameters());
    QCOMPARE(rig.device->parameters[PARAM_BRIGHTNESS].currentValue, 20);
}

void tst_V4l2Thread::closedDuringTheReading_data()
{
    QTest::addColumn<bool>("reopened");
    QTest::newRow("closed") << false;
    QTest::newRow("opened again at once") << true;
}

void tst_V4l2Thread::closedDuringTheReading()
{
    QFETCH(bool, reopened);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    RequestLog log(*rig.fake, "/dev/video0", FakeUvcCamera::Gamma);
    rig.enumerate();
    const int opensBefore = rig.fake->opens();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));
    QVERIFY(returnWhileHeld(log, [&] {
        // Opened again as the panel does when it lists the cameras.
        return rig.device->Close() && (!reopened || rig.device->Open("0", 1));
    }));
    if (reopened) {
        // One descriptor, one reading, going on where it was.
        QVERIFY(rig.readCompletely());
        QCOMPARE(rig.fake->opens() - opensBefore, 1);
        QCOMPARE(rig.fake->openDescriptors(), 1);
        QVERIFY(rig.device->ReadParameters());
        QCOMPARE(rig.device->parameters[PARAM_BACKLIGHT].available, 1);
        QVERIFY(rig.device->SetContrast(20));
        QTRY_COMPARE(rig.value(V4L2_CID_CONTRAST), int64_t(20));
    } else {
        // The request in flight ends, no other starts, and the camera lets go a moment later.
        QTRY_COMPARE(rig.fake->openDescriptors(), 0);
        const std::vector<std::string> lines = log.lines();
        QCOMPARE(lines.back(), std::string("GET_RES gamma"));
    }
}

void tst_V4l2Thread::changesElsewhereReachTheListener()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    // Another program, on a descriptor of its own.
    const int other = rig.fake->open("/dev/video0");
    v4l2_control set = {V4L2_CID_BRIGHTNESS, 33};
    rig.listened.changes = 0;
    QCOMPARE(rig.fake->ioctl(other, VIDIOC_S_CTRL, &set), 0);
    QTRY_VERIFY(rig.listened.changes & CHANGED_PARAMETERS);
    rig.device->ReadParameters();
    QCOMPARE(rig.device->parameters[PARAM_BRIGHTNESS].currentValue, 33);
    // The camera's automatic white balance picks another temperature by itself.
    rig.fake->with("/dev/video0", [](FakeUvcCamera &c) {
        c.changeByItself(V4L2_CID_WHITE_BALANCE_TEMPERATURE, 5600);
        return 0;
    });
    QTRY_VERIFY(rig.device->ReadParameters() &&
                rig.device->parameters[PARAM_WHITE_BALANCE].currentValue == 5600);
    // Our own writes come back as no news.
    QTest::qWait(100);
    const int calls = rig.listened.calls;
    QVERIFY(rig.device->SetBrightness(12));
    QTRY_COMPARE(rig.value(V4L2_CID_BRIGHTNESS), int64_t(12));
    QTest::qWait(200);
    QCOMPARE(rig.listened.calls.load(), calls);
    rig.fake->close(other);
}

void tst_V4l2Thread::unplugWhileBusy()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::CurrentRelativeOnly);
    QVERIFY(rig.open());
    setLatency(rig, 100);
    StderrCapture err;
    for (int value = 0; value < 5; ++value) {
        QVERIFY(rig.device->SetContrast(value));
        QVERIFY(rig.device->SetSharpness(value));
    }
    QVERIFY(rig.device->PanRight(8));
    QTest::qWait(50);
    rig.fake->unplug("/dev/video0");
    QTRY_COMPARE(rig.device->Capabilities(), 0u);
    QTRY_COMPARE(rig.fake->openDescriptors(), 0); // the worker has ended
    QVERIFY(rig.listened.changes & CHANGED_CAPABILITIES);
    QVERIFY(!rig.device->PanLeft(3));
    QVERIFY(!rig.device->SetPanPosition(3));
    QVERIFY(rig.device->Close());
    QCOMPARE(err.text().count("is gone"), 1);
    QCOMPARE(requestsFromHere(rig), 0);
}

void tst_V4l2Thread::positionOfASlowThenGoneCamera()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    int32_t told = 0;
    QTRY_VERIFY(rig.device->GetPanPosition(&told));
    // Slower than a caller waits, and past the time a reading stays fresh: the last answer
    // still stands, as the camera is there.
    setLatency(rig, 300);
    QTest::qWait(150);
    int32_t pan = told + 1;
    QVERIFY(rig.device->GetPanPosition(&pan));
    QCOMPARE(pan, told);
    // Gone, it tells nothing, however recent its last answer.
    setLatency(rig, 0);
    rig.fake->unplug("/dev/video0");
    QTRY_COMPARE(rig.device->Capabilities(), 0u);
    pan = told + 1;
    QVERIFY(!rig.device->GetPanPosition(&pan));
    QCOMPARE(pan, told + 1);
}

void tst_V4l2Thread::closeInTheMiddleOfARequest()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    RequestLog log(*rig.fake, "/dev/video0", FakeUvcCamera::Brightness);
    QVERIFY(rig.device->SetBrightness(20));
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));
    QVERIFY(returnWhileHeld(log, [&] {
        return rig.device->SetContrast(20) && // waits, and is dropped by the close
               rig.device->Close() && rig.device->Open("0", 1); // another session at once
    }));
    QVERIFY(rig.device->WaitUntilSent(10000));
    QCOMPARE(rig.fake->openDescriptors(), 1);
    QCOMPARE(rig.value(V4L2_CID_BRIGHTNESS), int64_t(20));
    QCOMPARE(rig.value(V4L2_CID_CONTRAST), int64_t(40));
}

QTEST_GUILESS_MAIN(tst_V4l2Thread)
#include "tst_v4l2thread.moc"
