// SPDX-License-Identifier: GPL-2.0-or-later
// A camera session without any window, as further cameras beside the panel's own will use
// it: what each typed operation sends, the result it reports, and the signals of a
// connection and of what the camera reports.
#include "CameraSession.h"
#include "SimCameras.h"
#include "TraceFile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using Result = CameraSession::Result;
using Operation = std::function<Result(CameraSession &)>;
Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Result)

class tst_CameraSession : public QObject
{
    Q_OBJECT

private slots:
    void operations_data();
    void operations();
    void withoutACamera();
    void withoutADevice();
    void reportsReachItsSignals();
    void picturesAndLiveView();
};

void tst_CameraSession::operations_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<Result>("result");
    QTest::addColumn<QStringList>("sent");
    const auto row = [](const char *name, Operation operation, Result result, QStringList sent) {
        QTest::newRow(name) << operation << result << sent;
    };
    row("brightness", [](CameraSession &s) { return s.setImage(ImageControl::Brightness, 90); },
        Result::Done, {"SetBrightness 90"});
    row("white balance back to manual",
        [](CameraSession &s) {
            int value = -1;
            const Result result = s.setWhiteBalanceManual(value);
            return value == 4600 ? result : Result::Refused;
        },
        Result::Done, {"SetWhiteBalanceAuto 0", "SetWhiteBalance 4600"});
    // An axis the new key leaves stops alone, before the new key's motion.
    row("drive from up-left to left",
        [](CameraSession &s) {
            s.drive(0, 5, 3);
            return s.drive(3, 5, 3);
        },
        Result::Done, {"PanLeft 5", "TiltUp 3", "TiltUpStop", "TiltDownStop", "PanLeft 5"});
    row("joystick repeats nothing",
        [](CameraSession &s) {
            s.setPanSpeed(4);
            s.steer(5);
            s.steer(5);
            return s.setPanSpeed(4);
        },
        Result::Done, {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop", "PanRight 12"});
    row("zoom out, then nothing at rest",
        [](CameraSession &s) {
            s.zoom(-3);
            return s.zoom(0);
        },
        Result::Done, {"ZoomOut 3"});
    row("preset number kept in a byte", [](CameraSession &s) { return s.store(256 + 7); },
        Result::Done, {"SetPreset 7"});
    row("flip toggles",
        [](CameraSession &s) {
            s.toggleFlip();
            return s.toggleFlip();
        },
        Result::Done, {"FlipOn", "FlipOff"});
    row("position", [](CameraSession &s) { return s.setPosition(-100, 40); }, Result::Done,
        {"SetPanPosition -100", "SetTiltPosition 40"});
    row("refused: the camera lacks framing", [](CameraSession &s) { return s.framing(true); },
        Result::Refused, {"FramingAuto"});
}

void tst_CameraSession::operations()
{
    QFETCH(Operation, operation);
    QFETCH(Result, result);
    QFETCH(QStringList, sent);
    SimCameras cameras;
    cameras.plug("a.cam", "name=Hall\nlacks=framing\nwhitebalance=2800,6500,100,4600,5000,1\n");
    TraceFile trace;
    CameraSession session(BaseDevice::CreateDevice(DEVICE_USB));
    QSignalSpy connection(&session, &CameraSession::connectionChanged);
    QVERIFY(session.connectTo(0));
    QCOMPARE(connection.count(), 1);
    QCOMPARE(connection.first().first().toBool(), true);
    QCOMPARE(session.copied(ImageControl::WhiteBalance).defaultValue, 4600);
    QVERIFY(!(session.capabilities() & CAP_FRAMING));
    trace.take();
    QCOMPARE(operation(session), result);
    QCOMPARE(trace.take(), sent);
}

void tst_CameraSession::withoutACamera()
{
    SimCameras cameras;
    cameras.plug("a.cam");
    TraceFile trace;
    CameraSession session(BaseDevice::CreateDevice(DEVICE_USB));
    QVERIFY(session.connectTo(0));
    QSignalSpy connection(&session, &CameraSession::connectionChanged);
    session.disconnect();
    QCOMPARE(connection.count(), 1);
    QCOMPARE(connection.first().first().toBool(), false);
    QCOMPARE(session.capabilities(), 0u);
    trace.take();
    int pan = 1, tilt = 1;
    for (const Result result : {session.recall(1), session.zoom(2), session.drive(1, 3, 3),
                                session.home(), session.readPosition(pan, tilt)})
        QCOMPARE(result, Result::NoCamera);
    QCOMPARE(trace.take(), QStringList());
    QCOMPARE(pan, 0);
}

void tst_CameraSession::withoutADevice()
{
    CameraSession session(nullptr);
    QSignalSpy connection(&session, &CameraSession::connectionChanged);
    QVERIFY(!session.hasDevice());
    QVERIFY(!session.isPresent());
    QVERIFY(!session.connectTo(0));
    QCOMPARE(connection.count(), 0);
    QCOMPARE(session.setImage(ImageControl::Hue, 3), Result::NoCamera);
    QCOMPARE(session.record(PARAM_BRIGHTNESS).available, 0);
}

void tst_CameraSession::reportsReachItsSignals()
{
    // Another program changing the camera comes as one report, read on the session's thread.
    SimCameras cameras;
    cameras.plug("a.cam", "brightness=0,255,1,128,200,1\n");
    CameraSession session(BaseDevice::CreateDevice(DEVICE_USB));
    QVERIFY(session.connectTo(0));
    QSignalSpy image(&session, &CameraSession::imageLoaded);
    cameras.plug("a.cam", "brightness=0,255,1,128,42,1\n");
    QTRY_VERIFY(image.count() >= 1);
    QCOMPARE(session.copied(ImageControl::Brightness).current, 42);
}

void tst_CameraSession::picturesAndLiveView()
{
    QTemporaryDir config; // no picture of an earlier run
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    SimCameras cameras;
    cameras.plug("a.cam", "name=Hall\n");
    cameras.plug("b.cam", "name=Stage\n");
    TraceFile trace;
    CameraSession session(BaseDevice::CreateDevice(DEVICE_USB));
    QVERIFY(session.connectTo(0));
    QSignalSpy pictures(&session, &CameraSession::presetPictureChanged);
    QSignalSpy reported(&session, &CameraSession::picturesReported);
    QCOMPARE(session.store(3), Result::Done);
    QTRY_COMPARE(pictures.count(), 1);
    QCOMPARE(pictures.first().first().toInt(), 3);
    CameraSession::Picture kept;
    QCOMPARE(session.readPicture(3, kept), Result::Done);
    QVERIFY(kept.version != 0 && kept.jpeg.startsWith("\xff\xd8"));
    // Taken again from where it was: reported, but the same picture, so no change.
    const int before = reported.count();
    QCOMPARE(session.retakePicture(3), Result::Done);
    QTRY_VERIFY(reported.count() > before);
    QCOMPARE(pictures.count(), 1);

    // Two viewers share one live view; the last to stop ends it, and a camera connected
    // meanwhile gives it too.
    trace.take();
    QSignalSpy frames(&session, &CameraSession::liveFrameChanged);
    QCOMPARE(session.startLiveView(), Result::Done);
    QCOMPARE(session.startLiveView(), Result::Done);
    QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 2, 3000);
    QByteArray frame;
    quint32 version = 0;
    QVERIFY(session.liveFrame(frame, version) && version != 0);
    session.stopLiveView();
    QVERIFY(session.connectTo(1));
    session.stopLiveView();
    QCOMPARE(session.liveViewers(), 0);
    QCOMPARE(trace.take().filter("LiveView"),
             (QStringList{"StartLiveView", "StartLiveView", "StopLiveView"}));
}

QTEST_MAIN(tst_CameraSession)
#include "tst_camerasession.moc"
