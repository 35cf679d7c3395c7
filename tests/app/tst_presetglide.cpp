// SPDX-License-Identifier: GPL-2.0-or-later
// A preset recalled at a speed or over a time, as the trace of the simulated camera shows it:
// how many steps, every axis going one way, the last step on the preset, none faster than
// the camera, and nothing more once anything else is asked.
#include "CameraSession.h"
#include "SimCameras.h"
#include "TraceFile.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstdlib>
#include <functional>

using Point = PresetGlide::Point;
using Interruption = std::function<void(CameraSession &)>;
Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(Interruption)

namespace {

// The simulated camera's fastest motion in a twentieth of a second: pan, tilt, zoom.
const Point SimLimit = {12, 8, 17};

struct Steps
{
    QVector<Point> points; // pan, tilt, zoom of each step
    bool wellFormed = true;
};

// Pairs each SetPanTiltPosition with the SetZoomPosition after it.
Steps stepsOf(const QStringList &lines)
{
    Steps steps;
    for (const QString &line : lines) {
        const QStringList f = line.split(' ');
        if (f[0] == "SetPanTiltPosition" && f.size() == 5)
            steps.points.append({f[1].toInt(), f[2].toInt(), 0});
        else if (f[0] == "SetZoomPosition" && f.size() == 2 && !steps.points.isEmpty())
            steps.points.last()[PresetGlide::Zoom] = f[1].toInt();
        else
            steps.wellFormed = false;
    }
    return steps;
}

} // namespace

class tst_PresetGlide : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void glides_data();
    void glides();
    void planKeepsToTheCamera_data();
    void planKeepsToTheCamera();
    void interrupted_data();
    void interrupted();
    void presetsOwnSpeed();

private:
    // A camera at `from` with preset 3 at `to`, its trace taken.
    bool prepare(CameraSession &session, const Point &from, const Point &to);

    QTemporaryDir config;
    SimCameras cameras;
    TraceFile trace;
    BaseDevice *const device = BaseDevice::CreateDevice(DEVICE_USB);
};

void tst_PresetGlide::init()
{
    // Presets the library keeps go to a file of this run's own.
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    cameras.plug("a.cam", "name=Glider\n");
}

bool tst_PresetGlide::prepare(CameraSession &session, const Point &from, const Point &to)
{
    if (!session.connectTo(0))
        return false;
    const auto moveTo = [&](const Point &p) {
        return session.setPosition(p[0], p[1]) == CameraSession::Result::Done &&
               device->SetZoomPosition(p[2]);
    };
    if (!moveTo(to) || session.store(3) != CameraSession::Result::Done || !moveTo(from))
        return false;
    trace.take();
    return true;
}

void tst_PresetGlide::glides_data()
{
    QTest::addColumn<Point>("from");
    QTest::addColumn<Point>("to");
    QTest::addColumn<int>("speed");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("fewest");
    QTest::addColumn<int>("most");
    QTest::newRow("2 s, all axes up")
        << Point{-100, 0, 0} << Point{100, 30, 50} << 0 << 2.0 << 40 << 41;
    QTest::newRow("1 s, all axes down")
        << Point{300, 200, 400} << Point{-200, 100, 100} << 0 << 1.0 << 50 << 51;
    // 500 tenths of a degree at 24 degrees a second, easing in and out: stretched past 1 s.
    QTest::newRow("speed 8, pan only")
        << Point{0, 0, 0} << Point{500, 0, 0} << 8 << 0.0 << 49 << 50;
    QTest::newRow("speed 4 takes twice as long")
        << Point{0, 0, 0} << Point{500, 0, 0} << 4 << 0.0 << 98 << 100;
}

void tst_PresetGlide::glides()
{
    QFETCH(Point, from);
    QFETCH(Point, to);
    QFETCH(int, speed);
    QFETCH(double, seconds);
    QFETCH(int, fewest);
    QFETCH(int, most);
    CameraSession session(device);
    QVERIFY(prepare(session, from, to));
    QSignalSpy arrived(&session, &CameraSession::glideArrived);
    QCOMPARE(session.glideTo(3, speed, seconds), CameraSession::Result::Done);
    QVERIFY(session.isGliding());
    QVERIFY(arrived.wait(10000));

    const QStringList lines = trace.take();
    // Before the first step the glide asks where the camera is.
    QCOMPARE(lines.mid(0, 3),
             (QStringList{"GetPanPosition", "GetTiltPosition", "GetZoomPosition"}));
    const Steps steps = stepsOf(lines.mid(3));
    QVERIFY2(steps.wellFormed, qPrintable(lines.join('\n')));
    QVERIFY2(steps.points.size() >= fewest && steps.points.size() <= most,
             qPrintable(QString::number(steps.points.size())));
    QCOMPARE(steps.points.last(), to);
    Point was = from;
    for (const Point &p : steps.points) {
        for (int axis = 0; axis < PresetGlide::AxisCount; ++axis) {
            const int moved = p[axis] - was[axis];
            QVERIFY2((to[axis] - from[axis]) * moved >= 0, "an axis turned back");
            QVERIFY2(std::abs(moved) <= SimLimit[axis], "a step faster than the camera");
        }
        was = p;
    }
    int32_t pan = 0, tilt = 0;
    device->LastPosition(&pan, &tilt);
    QCOMPARE((Point{pan, tilt, to[2]}), to);
    QVERIFY(!session.isGliding());
}

void tst_PresetGlide::planKeepsToTheCamera_data()
{
    QTest::addColumn<Point>("to");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("fewest");
    // Across the whole pan range in a tenth of a second is more than the camera can.
    QTest::newRow("too fast: stretched") << Point{3400, 0, 0} << 0.1 << 333;
    QTest::newRow("one step") << Point{1, 0, 0} << 0.05 << 1;
    QTest::newRow("zoom alone sets the pace") << Point{0, 0, 1000} << 0.5 << 69;
    QTest::newRow("nowhere to go") << Point{0, 0, 0} << 3.0 << 60;
}

void tst_PresetGlide::planKeepsToTheCamera()
{
    QFETCH(Point, to);
    QFETCH(double, seconds);
    QFETCH(int, fewest);
    const Point from{0, 0, 0};
    const int steps = PresetGlide::stepsFor(from, to, SimLimit, 0, seconds);
    QVERIFY2(steps >= fewest && steps <= fewest + 3, qPrintable(QString::number(steps)));
    const auto path = PresetGlide::plan(from, to, steps);
    QCOMPARE(int(path.size()), steps);
    QCOMPARE(path.back(), to);
    Point was = from;
    for (const Point &p : path) {
        for (int axis = 0; axis < PresetGlide::AxisCount; ++axis)
            QVERIFY(std::abs(p[axis] - was[axis]) <= SimLimit[axis]);
        was = p;
    }
    // Slow at both ends: the first and last steps are the shortest.
    if (steps >= 10) {
        QVERIFY(path[1][0] - path[0][0] < path[steps / 2][0] - path[steps / 2 - 1][0] ||
                to[0] == 0);
        QVERIFY(path[steps - 1][0] - path[steps - 2][0] <
                    path[steps / 2][0] - path[steps / 2 - 1][0] ||
                to[0] == 0);
    }
}

void tst_PresetGlide::interrupted_data()
{
    QTest::addColumn<Interruption>("interruption");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("joystick") << Interruption([](CameraSession &s) { s.steer(1); })
                              << QStringList{"TiltUp 0"};
    QTest::newRow("stop") << Interruption([](CameraSession &s) {
        s.drive(4, 0, 0);
    }) << QStringList{"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};
    QTest::newRow("another preset")
        << Interruption([](CameraSession &s) { s.recall(5); }) << QStringList{"CallPreset 5"};
    QTest::newRow("zoom lever") << Interruption([](CameraSession &s) { s.zoom(2); })
                                << QStringList{"ZoomIn 2"};
}

void tst_PresetGlide::interrupted()
{
    QFETCH(Interruption, interruption);
    QFETCH(QStringList, sent);
    CameraSession session(device);
    QVERIFY(prepare(session, {-100, 0, 0}, {100, 30, 50}));
    QCOMPARE(session.glideTo(3, 0, 2.0), CameraSession::Result::Done);
    QTRY_VERIFY(stepsOf(trace.peek().mid(3)).points.size() >= 3);
    trace.take();
    interruption(session);
    QVERIFY(!session.isGliding());
    QTest::qWait(250); // five steps' time
    QCOMPARE(trace.take(), sent);
}

void tst_PresetGlide::presetsOwnSpeed()
{
    // A preset with a speed of its own glides when recalled plainly; without one it is
    // recalled as ever.
    CameraSession session(device);
    QVERIFY(prepare(session, {0, 0, 0}, {60, 0, 0}));
    QCOMPARE(session.recall(3), CameraSession::Result::Done);
    QCOMPARE(trace.take(), QStringList{"CallPreset 3"});
    QVERIFY(!session.isGliding());

    PresetRecord kept;
    QCOMPARE(session.readPreset(3, kept), CameraSession::Result::Done);
    QCOMPARE(kept.stored, 1);
    QCOMPARE(kept.known, PRESET_PAN | PRESET_TILT | PRESET_ZOOM);
    QCOMPARE(kept.pan, 60);
    kept.speed = 8;
    QCOMPARE(session.writePreset(3, kept), CameraSession::Result::Done);
    QVERIFY(session.setPosition(0, 0) == CameraSession::Result::Done);
    trace.take();
    QSignalSpy arrived(&session, &CameraSession::glideArrived);
    QCOMPARE(session.recall(3), CameraSession::Result::Done);
    QVERIFY(arrived.wait(5000));
    const Steps steps = stepsOf(trace.take().mid(3));
    QVERIFY(steps.wellFormed);
    QCOMPARE(steps.points.size(), 6); // 60 at 12 a step, easing in and out
    QCOMPARE(steps.points.last()[0], 60);
    // A preset never stored is refused, and nothing moves.
    QCOMPARE(session.glideTo(7, 4, 0), CameraSession::Result::Refused);
    QCOMPARE(trace.take(), QStringList());
}

QTEST_MAIN(tst_PresetGlide)
#include "tst_presetglide.moc"
