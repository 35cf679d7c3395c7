// SPDX-License-Identifier: GPL-2.0-or-later
// Pan, tilt and zoom on cameras as Linux's uvcvideo presents them, old kernel and new: the
// same deflection moves as fast both ways, a stop stops, diagonals move both axes, and
// closing the camera never leaves it moving.
#include "V4l2Rig.h"

#include <QtTest>

#include <functional>

namespace {

enum class Axis
{
    Pan,
    Tilt,
    Zoom
};

// Starts (speed > 0: right, up, in; < 0 the other way) or stops an axis as the panel does.
bool drive(BaseDevice &d, Axis axis, int speed)
{
    switch (axis) {
    case Axis::Pan:
        return speed > 0 ? d.PanRight(speed) : speed < 0 ? d.PanLeft(-speed) : d.PanLeftStop();
    case Axis::Tilt:
        return speed > 0 ? d.TiltUp(speed) : speed < 0 ? d.TiltDown(-speed) : d.TiltUpStop();
    case Axis::Zoom:
        return speed > 0 ? d.ZoomIn(speed) : speed < 0 ? d.ZoomOut(-speed) : d.ZoomStop();
    }
    return false;
}

double where(V4l2Rig &rig, Axis axis)
{
    return axis == Axis::Pan ? rig.pan() : axis == Axis::Tilt ? rig.tilt() : rig.zoom();
}

// Units a second the camera moved while `speed` was held.
double measure(V4l2Rig &rig, Axis axis, int speed)
{
    const double from = where(rig, axis);
    QElapsedTimer held;
    held.start();
    drive(*rig.device, axis, speed);
    QTest::qWait(700);
    drive(*rig.device, axis, 0);
    const double seconds = held.elapsed() / 1000.0;
    QTest::qWait(250); // a stepped axis catches up with its last step
    return (where(rig, axis) - from) / seconds;
}

} // namespace

Q_DECLARE_METATYPE(Axis)

class tst_V4l2Motion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameSpeedBothWays_data();
    void sameSpeedBothWays();
    void diagonalsMoveBothAxes_data();
    void diagonalsMoveBothAxes();
    void zoomOnlyBySpeedStillStops();
    void closingStopsMotion();

private:
    QTemporaryDir config;
};

void tst_V4l2Motion::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("CAMERACTRL_REMEMBER", "0");
}

void tst_V4l2Motion::sameSpeedBothWays_data()
{
    QTest::addColumn<PtzKind>("kind");
    QTest::addColumn<Axis>("axis");
    QTest::addColumn<int>("speed");
    const QList<QPair<const char *, PtzKind>> kinds = {
        {"6.1 relative+absolute", PtzKind::Linux61RelativeAndAbsolute},
        {"6.1 absolute only", PtzKind::Linux61AbsoluteOnly},
        {"newer relative only", PtzKind::CurrentRelativeOnly},
        {"newer relative with GET_CUR", PtzKind::CurrentRelativeAndAbsolute},
    };
    for (const auto &kind : kinds) {
        QTest::addRow("%s, pan", kind.first) << kind.second << Axis::Pan << 12;
        QTest::addRow("%s, tilt", kind.first) << kind.second << Axis::Tilt << 8;
        QTest::addRow("%s, zoom", kind.first) << kind.second << Axis::Zoom << 4;
    }
}

void tst_V4l2Motion::sameSpeedBothWays()
{
    QFETCH(PtzKind, kind);
    QFETCH(Axis, axis);
    QFETCH(int, speed);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), kind);
    QVERIFY(rig.open());
    const double forward = measure(rig, axis, speed);
    const double back = measure(rig, axis, -speed);
    QVERIFY2(forward > 0 && back < 0, qPrintable(QStringLiteral("%1 %2").arg(forward).arg(back)));
    QVERIFY2(std::abs(forward + back) <= 0.2 * std::max(forward, -back),
             qPrintable(QStringLiteral("%1 against %2 a second").arg(forward).arg(back)));
    // Stopped means stopped.
    const double rest = where(rig, axis);
    QTest::qWait(200);
    QCOMPARE(where(rig, axis), rest);
}

void tst_V4l2Motion::diagonalsMoveBothAxes_data()
{
    QTest::addColumn<PtzKind>("kind");
    QTest::newRow("6.1 relative+absolute") << PtzKind::Linux61RelativeAndAbsolute;
    QTest::newRow("newer relative without GET_CUR") << PtzKind::CurrentRelativeOnly;
    QTest::newRow("newer relative with GET_CUR") << PtzKind::CurrentRelativeAndAbsolute;
}

void tst_V4l2Motion::diagonalsMoveBothAxes()
{
    QFETCH(PtzKind, kind);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), kind);
    QVERIFY(rig.open());
    // The joystick's top-left cell: pan left, then tilt up, as two calls.
    const double pan = rig.pan(), tilt = rig.tilt();
    QVERIFY(rig.device->PanLeft(12));
    QVERIFY(rig.device->TiltUp(8));
    QTest::qWait(400);
    QVERIFY(rig.pan() < pan - 3600);
    QVERIFY(rig.tilt() > tilt + 3600);
    // Moving on to the top cell keeps tilting; the centre stops both.
    QVERIFY(rig.device->PanLeftStop());
    const double stoppedPan = (QTest::qWait(300), rig.pan());
    const double tilting = rig.tilt();
    QTest::qWait(200);
    QCOMPARE(rig.pan(), stoppedPan);
    QVERIFY(rig.tilt() > tilting + 1800);
    for (auto stop : {&BaseDevice::TiltUpStop, &BaseDevice::TiltDownStop, &BaseDevice::PanLeftStop,
                      &BaseDevice::PanRightStop})
        (rig.device.get()->*stop)();
    QTest::qWait(300);
    const double restTilt = rig.tilt();
    QTest::qWait(200);
    QCOMPARE(rig.tilt(), restTilt);
}

void tst_V4l2Motion::zoomOnlyBySpeedStillStops()
{
    // Linux 6.1 with no absolute zoom: its zoom speed cannot stop, so it is never started.
    V4l2Rig rig;
    FakeNode &node = rig.node("/dev/video0");
    makePtzCamera(node, PtzKind::Linux61AbsoluteOnly);
    node.camera = std::make_shared<FakeUvcCamera>();
    node.camera->addImageControls();
    node.camera->add(FakeUvcCamera::ZoomRelative, {false, true});
    QVERIFY(rig.open());
    QVERIFY(!(rig.device->Capabilities() & CAP_ZOOM));
    QVERIFY(!rig.device->ZoomIn(3));
    QTest::qWait(100);
    QCOMPARE(rig.commits().size(), size_t(0));
}

void tst_V4l2Motion::closingStopsMotion()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::CurrentRelativeOnly);
    QVERIFY(rig.open());
    QVERIFY(rig.device->PanRight(24));
    QVERIFY(rig.device->ZoomIn(7));
    QTest::qWait(100);
    QVERIFY(rig.device->Close());
    QTRY_COMPARE(rig.fake->openDescriptors(), 0);
    const double pan = rig.pan(), zoom = rig.zoom();
    QTest::qWait(150);
    QCOMPARE(rig.pan(), pan);
    QCOMPARE(rig.zoom(), zoom);
}

QTEST_GUILESS_MAIN(tst_V4l2Motion)
#include "tst_v4l2motion.moc"
