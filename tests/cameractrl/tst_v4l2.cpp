// SPDX-License-Identifier: GPL-2.0-or-later
// The V4L2 backend against cameras that behave as Linux's uvcvideo presents them: which nodes
// are cameras and in what order, what the records and capabilities say, image writes and
// the white-balance mode, positions and presets that land where they were sent and follow
// the camera to any port, image settings given back after a power cycle, and cameras that
// refuse, vanish or lack controls.
#include "RequestLog.h"
#include "StderrCapture.h"
#include "UvcDescriptors.h"
#include "V4l2Rig.h"

#include <QtTest>

#include <cerrno>

namespace {

constexpr int ArcSecondsPerDegree = 3600;

// What a commit sent, as (control, value) pairs.
using Commit = std::vector<std::pair<uint32_t, int32_t>>;

bool committed(V4l2Rig &rig, const Commit &wanted)
{
    const auto all = rig.commits();
    return std::find(all.begin(), all.end(), wanted) != all.end();
}

} // namespace

Q_DECLARE_METATYPE(FakeUvcCamera::Kernel)

class tst_V4l2 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void uvcDescriptorsTellPtz_data();
    void uvcDescriptorsTellPtz();
    void enumeration();
    void recordsAndCapabilities_data();
    void recordsAndCapabilities();
    void imageWritesAreClampedByTheCamera();
    void whiteBalanceFollowsTheCamerasMode();
    void whiteBalanceShownAfterAutoOff_data();
    void whiteBalanceShownAfterAutoOff();
    void antiFlickerByTheMenusNames_data();
    void antiFlickerByTheMenusNames();
    void positionsInRangeAsOneMove_data();
    void positionsInRangeAsOneMove();
    void positionBeyondReachBeforeTheReading();
    void refusedWritesAreNeverSilent_data();
    void refusedWritesAreNeverSilent();
    void positionsAndPresetsLand_data();
    void positionsAndPresetsLand();
    void presetsAndImageFollowTheCamera();
    void damagedPresetFiles();
    void unsupportedKeysSaySoOnce();
    void failingOpen();

private:
    QTemporaryDir config;
};

void tst_V4l2::init()
{
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qunsetenv("CAMERACTRL_REMEMBER");
    QDir(config.filePath("ptz-panel")).removeRecursively();
}

void tst_V4l2::uvcDescriptorsTellPtz_data()
{
    QTest::addColumn<QByteArray>("descriptors");
    QTest::addColumn<bool>("ptz");
    const QByteArray device = QByteArray("\x12\x01", 2) + QByteArray(16, 0);
    const QByteArray config = QByteArray("\x09\x02", 2) + QByteArray(7, 0);
    const auto interface = [](char cls, char subclass) {
        return QByteArray("\x09\x04\0\0\0", 5) + cls + subclass + QByteArray(2, 0);
    };
    // A camera terminal with three bytes of bmControls.
    const auto camera = [](const char *controls) {
        return QByteArray("\x12\x24\x02\x01\x01\x02", 6) + QByteArray(8, 0) + '\x03' +
               QByteArray(controls, 3);
    };
    const QByteArray videoControl = interface('\x0e', '\x01');
    QTest::newRow("pan/tilt absolute")
        << device + config + videoControl + camera("\0\x08\0") << true;
    QTest::newRow("zoom relative") << device + config + videoControl + camera("\0\x04\0") << true;
    QTest::newRow("webcam: exposure only")
        << device + config + videoControl + camera("\x02\0\0") << false;
    QTest::newRow("outside a video control interface")
        << device + config + interface('\x01', '\x01') + camera("\0\x08\0") << false;
    QTest::newRow("a length past the end")
        << device + config + videoControl + camera("\0\x08\0").left(10) << false;
    QTest::newRow("a zero length") << QByteArray("\0\x01", 2) + videoControl << false;
    QTest::newRow("nothing") << QByteArray() << false;
}

void tst_V4l2::uvcDescriptorsTellPtz()
{
    QFETCH(QByteArray, descriptors);
    QFETCH(bool, ptz);
    const auto *data = reinterpret_cast<const uint8_t *>(descriptors.constData());
    QCOMPARE(UvcDescriptors::offersPtz(
                 UvcDescriptors::cameraTerminalControls(data, size_t(descriptors.size()))),
             ptz);
}

void tst_V4l2::enumeration()
{
    V4l2Rig rig;
    // A laptop: its webcam first in /dev, the PTZ camera plugged in later.
    FakeNode &webcam = rig.node("/dev/video0");
    webcam.card = "Integrated Camera";
    webcam.usb = {true, "04f2", "b6d9", "", "1-7", false};
    webcam.camera->addImageControls();
    rig.node("/dev/video1").caps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING; // its metadata
    makePtzCamera(rig.node("/dev/video2"), PtzKind::Linux61RelativeAndAbsolute);
    // The same camera's second capture node is no second camera.
    rig.node("/dev/video3") = rig.node("/dev/video2");
    makePtzCamera(rig.node("/dev/video4"), PtzKind::Linux61AbsoluteOnly, "SER2");
    rig.node("/dev/video4").usb.device = "1-3";
    rig.node("/dev/video5").openError = EACCES;
    rig.node("/dev/video6").caps = V4L2_CAP_VIDEO_OUTPUT;

    StderrCapture err;
    const auto devices = rig.enumerate();
    QCOMPARE(int(devices.size()), 3);
    QCOMPARE(devices[0].path, std::string("/dev/video2"));
    QCOMPARE(devices[0].name, std::string("PTZ Pro"));
    QCOMPARE(devices[1].path, std::string("/dev/video4"));
    QCOMPARE(devices[1].name, std::string("PTZ Pro (2)"));
    QCOMPARE(devices[2].name, std::string("Integrated Camera"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(devices[i].index, i);
    rig.enumerate();
    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].contains("/dev/video5") && lines[0].contains("video group"));
    QCOMPARE(rig.fake->openDescriptors(), 0);
}

void tst_V4l2::recordsAndCapabilities_data()
{
    QTest::addColumn<PtzKind>("kind");
    QTest::addColumn<uint>("has");
    QTest::addColumn<uint>("lacks");
    const uint keys = CAP_FLIP | CAP_MIRROR | CAP_IR | CAP_DAY_NIGHT | CAP_MENU | CAP_FRAMING;
    const uint image = CAP_IMAGE_DEFAULTS | CAP_WHITE_BALANCE_AUTO | CAP_FLICKER;
    const uint absolute = CAP_POSITION | CAP_PRESETS | CAP_HOME | CAP_PTZ_RESET;
    QTest::newRow("6.1, relative and absolute")
        << PtzKind::Linux61RelativeAndAbsolute << (image | absolute | CAP_PAN_TILT | CAP_ZOOM)
        << keys;
    QTest::newRow("relative only: no positions or presets")
        << PtzKind::CurrentRelativeOnly << (image | CAP_PAN_TILT | CAP_ZOOM) << (keys | absolute);
}

void tst_V4l2::recordsAndCapabilities()
{
    QFETCH(PtzKind, kind);
    QFETCH(uint, has);
    QFETCH(uint, lacks);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), kind);
    rig.node("/dev/video0").camera->add(FakeUvcCamera::Saturation, {true, false});
    QVERIFY(rig.open());
    const auto fields = [&](int index) {
        const ParameterRecord &r = rig.device->parameters[index];
        return QList<int>{r.minimum, r.maximum, r.defaultValue, r.currentValue, r.available};
    };
    QCOMPARE(fields(PARAM_BRIGHTNESS), (QList<int>{-64, 64, 0, 10, 1}));
    QCOMPARE(fields(PARAM_WHITE_BALANCE), (QList<int>{2800, 6500, 4600, 5000, 1}));
    QCOMPARE(fields(PARAM_WHITE_BALANCE_AUTO), (QList<int>{0, 1, 1, 1, 1}));
    QCOMPARE(fields(PARAM_FLICKER), (QList<int>{0, 2, 1, 1, 1}));
    QCOMPARE(fields(PARAM_SATURATION), (QList<int>{0, 100, 64, 64, 0})); // no SET_CUR
    QCOMPARE(rig.device->Capabilities() & (has | lacks), has);
    QVERIFY(!rig.device->SetSaturation(3));
}

void tst_V4l2::imageWritesAreClampedByTheCamera()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    QVERIFY(rig.device->SetBrightness(999));
    QVERIFY(rig.device->SetContrast(50));
    QVERIFY(rig.device->SetFlicker(2));
    QTRY_COMPARE(rig.value(V4L2_CID_POWER_LINE_FREQUENCY), int64_t(2));
    QCOMPARE(rig.value(V4L2_CID_BRIGHTNESS), int64_t(64));
    QCOMPARE(rig.value(V4L2_CID_CONTRAST), int64_t(50));
    // The camera's clamping is news to the panel, which showed 999.
    QTRY_VERIFY(rig.listened.changes & CHANGED_PARAMETERS);
    rig.device->ReadParameters();
    QCOMPARE(rig.device->parameters[PARAM_BRIGHTNESS].currentValue, 64);

    QVERIFY(rig.device->RestoreImageDefaults());
    QTRY_COMPARE(rig.value(V4L2_CID_BRIGHTNESS), int64_t(0));
    QCOMPARE(rig.value(V4L2_CID_CONTRAST), int64_t(32));
    QCOMPARE(rig.value(V4L2_CID_POWER_LINE_FREQUENCY), int64_t(2)); // not an image default
}

void tst_V4l2::whiteBalanceFollowsTheCamerasMode()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    QCOMPARE(rig.device->parameters[PARAM_WHITE_BALANCE_AUTO].currentValue, 1);
    // Automatic on, as cameras start: the temperature means manual, in one request.
    rig.listened.changes = 0;
    QVERIFY(rig.device->SetWhiteBalance(3500));
    QTRY_COMPARE(rig.value(V4L2_CID_WHITE_BALANCE_TEMPERATURE), int64_t(3500));
    QCOMPARE(rig.value(V4L2_CID_AUTO_WHITE_BALANCE), int64_t(0));
    QVERIFY(committed(
        rig, {{V4L2_CID_AUTO_WHITE_BALANCE, 0}, {V4L2_CID_WHITE_BALANCE_TEMPERATURE, 3500}}));
    QVERIFY(rig.listened.changes & CHANGED_PARAMETERS);
    rig.device->ReadParameters();
    QCOMPARE(rig.device->parameters[PARAM_WHITE_BALANCE_AUTO].currentValue, 0);

    QVERIFY(rig.device->SetWhiteBalanceAuto(1));
    QTRY_COMPARE(rig.value(V4L2_CID_AUTO_WHITE_BALANCE), int64_t(1));
    // A reset leaves the mode alone, and in automatic the camera picks the temperature.
    QVERIFY(rig.device->RestoreImageDefaults());
    QTRY_COMPARE(rig.value(V4L2_CID_BRIGHTNESS), int64_t(0));
    QCOMPARE(rig.value(V4L2_CID_AUTO_WHITE_BALANCE), int64_t(1));
    QCOMPARE(rig.value(V4L2_CID_WHITE_BALANCE_TEMPERATURE), int64_t(3500));
}

void tst_V4l2::whiteBalanceShownAfterAutoOff_data()
{
    QTest::addColumn<int>("pauseMs"); // between switching auto off and writing the default
    QTest::newRow("at once, as the panel does") << 0;
    QTest::newRow("after the camera took it") << 200;
}

void tst_V4l2::whiteBalanceShownAfterAutoOff()
{
    QFETCH(int, pauseMs);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    QCOMPARE(rig.value(V4L2_CID_WHITE_BALANCE_TEMPERATURE), int64_t(5000));
    rig.fake->with("/dev/video0", [](FakeUvcCamera &c) {
        c.latency = std::chrono::milliseconds(20);
        return 0;
    });
    // Something on its way first, so that both writes wait their turn. The driver answers
    // auto off with an event for the temperature (its flags changed) carrying 5000.
    QVERIFY(rig.device->SetBrightness(5));
    QVERIFY(rig.device->SetWhiteBalanceAuto(0));
    QTest::qWait(pauseMs);
    QVERIFY(rig.device->SetWhiteBalance(4600));
    QVERIFY(rig.device->WaitUntilSent(3000));
    QTest::qWait(100); // any event left is taken by now
    QVERIFY(rig.device->WaitUntilSent(3000));
    QCOMPARE(rig.value(V4L2_CID_WHITE_BALANCE_TEMPERATURE), int64_t(4600));
    rig.device->ReadParameters();
    QCOMPARE(rig.device->parameters[PARAM_WHITE_BALANCE].currentValue, 4600);
    QCOMPARE(rig.device->parameters[PARAM_WHITE_BALANCE_AUTO].currentValue, 0);
}

void tst_V4l2::antiFlickerByTheMenusNames_data()
{
    using Kernel = FakeUvcCamera::Kernel;
    QTest::addColumn<Kernel>("kernel");
    QTest::addColumn<QList<int>>("values"); // what the camera takes
    QTest::addColumn<QList<int>>("record"); // minimum, maximum, current
    QTest::addColumn<bool>("canSwitchOff");
    QTest::newRow("UVC 1.1, 6.1") << Kernel::Linux61 << QList<int>{0, 1, 2} << QList<int>{0, 2, 1}
                                  << true;
    QTest::newRow("UVC 1.5, newer kernel")
        << Kernel::Current << QList<int>{0, 1, 2, 3} << QList<int>{0, 3, 1} << true;
    // 6.1 numbers that menu from 0: entry 0 is "50 Hz", entry 1 "60 Hz".
    QTest::newRow("no off, 6.1") << Kernel::Linux61 << QList<int>{1, 2} << QList<int>{1, 2, 1}
                                 << false;
    QTest::newRow("no off, newer kernel")
        << Kernel::Current << QList<int>{1, 2} << QList<int>{1, 2, 1} << false;
}

void tst_V4l2::antiFlickerByTheMenusNames()
{
    QFETCH(FakeUvcCamera::Kernel, kernel);
    QFETCH(QList<int>, values);
    QFETCH(QList<int>, record);
    QFETCH(bool, canSwitchOff);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    rig.node("/dev/video0").camera->kernel = kernel;
    rig.node("/dev/video0").camera->powerLineValues = {values.begin(), values.end()};
    QVERIFY(rig.open());
    const ParameterRecord &flicker = rig.device->parameters[PARAM_FLICKER];
    QCOMPARE((QList<int>{flicker.minimum, flicker.maximum, flicker.currentValue}), record);
    const auto powerLine = [&] {
        return rig.fake->with(
            "/dev/video0", [](FakeUvcCamera &c) { return c.hardware(FakeUvcCamera::PowerLine); });
    };
    for (int mode : {2, 1}) {
        QVERIFY(rig.device->SetFlicker(mode));
        QVERIFY(rig.device->WaitUntilSent(2000));
        QCOMPARE(powerLine(), mode);
    }
    const size_t commits = rig.commits().size();
    QCOMPARE(rig.device->SetFlicker(0), canSwitchOff);
    QVERIFY(rig.device->WaitUntilSent(2000));
    QCOMPARE(powerLine(), canSwitchOff ? 0 : 1);
    QCOMPARE(rig.commits().size(), commits + (canSwitchOff ? 1 : 0));
    rig.device->ReadParameters();
    QCOMPARE(rig.device->parameters[PARAM_FLICKER].currentValue, canSwitchOff ? 0 : 1);
    QCOMPARE(rig.device->SetFlicker(3), record[1] == 3); // automatic, where the menu has it
    QVERIFY(!rig.device->SetFlicker(4));
}

void tst_V4l2::positionsInRangeAsOneMove_data()
{
    QTest::addColumn<QString>("calls"); // "SetPanPosition 30", "wait 50", ";" between
    QTest::addColumn<QString>("results");
    QTest::addColumn<QString>("moves"); // "pan,tilt" in degrees of each absolute commit
    QTest::newRow("pan, the panel's pause, tilt") << "SetPanPosition 30;wait 50;SetTiltPosition -10"
                                                  << "1;1"
                                                  << "30,-10";
    QTest::newRow("back to back, at the edges") << "SetPanPosition -170;SetTiltPosition 90"
                                                << "1;1"
                                                << "-170,90";
    QTest::newRow("pan alone, after its wait") << "SetPanPosition 12"
                                               << "1"
                                               << "12,0";
    QTest::newRow("tilt alone, at once") << "SetTiltPosition -30"
                                         << "1"
                                         << "0,-30";
    QTest::newRow("outside the range: nothing")
        << "SetPanPosition 171;SetTiltPosition -31;SetTiltPosition 91;SetPanPosition 65636"
        << "0;0;0;0"
        << "";
    QTest::newRow("a refused tilt leaves the pan alone") << "SetPanPosition 20;SetTiltPosition 100"
                                                         << "1;0"
                                                         << "20,0";
}

void tst_V4l2::positionsInRangeAsOneMove()
{
    QFETCH(QString, calls);
    QFETCH(QString, results);
    QFETCH(QString, moves);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    const auto fields = [&](int index) {
        const ParameterRecord &r = rig.device->parameters[index];
        return QList<int>{r.minimum, r.maximum, r.available};
    };
    QCOMPARE(fields(PARAM_PAN_POSITION), (QList<int>{-170, 170, 1}));
    QCOMPARE(fields(PARAM_TILT_POSITION), (QList<int>{-30, 90, 1}));
    QStringList returned;
    for (const QString &call : calls.split(';')) {
        const QStringList words = call.split(' ');
        const int n = words.value(1).toInt();
        if (words[0] == "wait")
            QTest::qWait(n);
        else
            returned << QString::number(words[0] == "SetPanPosition"
                                            ? rig.device->SetPanPosition(n)
                                            : rig.device->SetTiltPosition(n));
    }
    QCOMPARE(returned.join(';'), results);
    QVERIFY(rig.device->WaitUntilSent(3000));
    QStringList sent;
    for (const Commit &commit : rig.commits()) {
        QString pan, tilt;
        for (const auto &[id, value] : commit) {
            if (id == V4L2_CID_PAN_ABSOLUTE)
                pan = QString::number(value / ArcSecondsPerDegree);
            if (id == V4L2_CID_TILT_ABSOLUTE)
                tilt = QString::number(value / ArcSecondsPerDegree);
        }
        if (!pan.isEmpty() || !tilt.isEmpty())
            sent << pan + "," + tilt;
    }
    QCOMPARE(sent.join(';'), moves);
}

void tst_V4l2::positionBeyondReachBeforeTheReading()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    rig.node("/dev/video0").camera->latency = std::chrono::milliseconds(5);
    rig.enumerate();
    StderrCapture err;
    QVERIFY(rig.device->Open("0", 1));
    // The range is not known yet: taken, and checked once it is.
    QVERIFY(rig.device->SetPanPosition(500));
    QVERIFY(rig.device->SetTiltPosition(10));
    QVERIFY(rig.readCompletely());
    QVERIFY(rig.device->WaitUntilSent(3000));
    const auto commits = rig.commits();
    QVERIFY(std::find(commits.begin(), commits.end(),
                      Commit{{V4L2_CID_TILT_ABSOLUTE, 10 * ArcSecondsPerDegree},
                             {V4L2_CID_PAN_ABSOLUTE, 0}}) != commits.end());
    for (const Commit &commit : commits)
        for (const auto &[id, value] : commit)
            QVERIFY(id != V4L2_CID_PAN_ABSOLUTE || value == 0);
    QVERIFY(err.text().contains("cannot reach absolute pan 500"));
}

void tst_V4l2::refusedWritesAreNeverSilent_data()
{
    QTest::addColumn<int>("error"); // what the driver makes of the camera's stall
    QTest::newRow("wrong state") << -EILSEQ;
    QTest::newRow("not ready") << -EBUSY;
}

void tst_V4l2::refusedWritesAreNeverSilent()
{
    QFETCH(int, error);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    // The camera stalls the request: said once, and the panel is told to show what the camera
    // really has. Busy, it is that until it answers again.
    rig.fake->with("/dev/video0", [&](FakeUvcCamera &c) {
        c.stalls[FakeUvcCamera::Sharpness] = error;
        return 0;
    });
    StderrCapture err;
    rig.listened.changes = 0;
    QVERIFY(rig.device->SetSharpness(6));
    QVERIFY(rig.device->SetSharpness(7));
    QTRY_VERIFY(rig.listened.changes & CHANGED_PARAMETERS);
    QTRY_VERIFY(rig.device->ReadParameters() &&
                rig.device->parameters[PARAM_SHARPNESS].currentValue == 2);
    QCOMPARE(rig.value(V4L2_CID_SHARPNESS), int64_t(2));
    QCOMPARE(err.text().count("PTZ Pro refused sharpness"), 1);
    QCOMPARE(bool(rig.listened.changes & CHANGED_HEALTH), error == -EBUSY);
    QCOMPARE(rig.device->Health(), int(HEALTH_ANSWERING));
}

void tst_V4l2::positionsAndPresetsLand_data()
{
    QTest::addColumn<PtzKind>("kind");
    QTest::newRow("6.1, relative and absolute") << PtzKind::Linux61RelativeAndAbsolute;
    QTest::newRow("6.1, absolute only") << PtzKind::Linux61AbsoluteOnly;
    QTest::newRow("newer kernel, with GET_CUR") << PtzKind::CurrentRelativeAndAbsolute;
}

void tst_V4l2::positionsAndPresetsLand()
{
    QFETCH(PtzKind, kind);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), kind);
    QVERIFY(rig.open());
    const auto at = [&](double pan, double tilt) {
        return std::abs(rig.pan() - pan * ArcSecondsPerDegree) <= ArcSecondsPerDegree &&
               std::abs(rig.tilt() - tilt * ArcSecondsPerDegree) <= ArcSecondsPerDegree;
    };
    // As the panel's SET key does it: pan, a pause, tilt.
    QVERIFY(rig.device->SetPanPosition(30));
    QTest::qWait(50);
    QVERIFY(rig.device->SetTiltPosition(-10));
    QTRY_VERIFY(at(30, -10));
    QTest::qWait(300);
    QVERIFY(at(30, -10));
    int32_t pan = 0, tilt = 0;
    QVERIFY(rig.device->GetPanPosition(&pan) && rig.device->GetTiltPosition(&tilt));
    QCOMPARE(QPoint(pan, tilt), QPoint(30, -10));

    QVERIFY(rig.device->SetPanPosition(29));
    QVERIFY(rig.device->SetTiltPosition(18));
    QTRY_VERIFY(at(29, 18));
    QVERIFY(rig.device->SetPreset(3));
    QVERIFY(rig.device->Home());
    QTRY_VERIFY(at(0, 0));
    QVERIFY(rig.device->CallPreset(3));
    QTRY_VERIFY(at(29, 18));
    QTest::qWait(300);
    QVERIFY(at(29, 18));
    QVERIFY(!rig.device->CallPreset(4));
}

void tst_V4l2::presetsAndImageFollowTheCamera()
{
    {
        V4l2Rig first;
        makePtzCamera(first.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
        QVERIFY(first.open());
        QVERIFY(first.device->SetBrightness(20));
        QVERIFY(first.device->SetPanPosition(-40));
        QTRY_VERIFY(std::abs(first.pan() + 40 * ArcSecondsPerDegree) < ArcSecondsPerDegree);
        QVERIFY(first.device->SetPreset(2));
        QVERIFY(first.device->Close());
    }
    // Another run: the camera was off (its settings back at defaults) and is now in another
    // port, behind another node.
    V4l2Rig second;
    makePtzCamera(second.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly, "OTHER");
    makePtzCamera(second.node("/dev/video4"), PtzKind::Linux61AbsoluteOnly);
    second.node("/dev/video4").bus = "usb-0000:00:14.0-5";
    second.node("/dev/video4").usb.device = "3-1";
    const auto devices = second.enumerate();
    const int index = devices[0].path == "/dev/video4" ? 0 : 1;
    QVERIFY(second.open(index));
    QTRY_COMPARE(second.value(V4L2_CID_BRIGHTNESS, "/dev/video4"), int64_t(20));
    QVERIFY(second.device->CallPreset(2));
    QTRY_VERIFY(std::abs(second.pan("/dev/video4") + 40 * ArcSecondsPerDegree) <
                ArcSecondsPerDegree);
    // The other camera has neither.
    QVERIFY(second.open(1 - index));
    QVERIFY(!second.device->CallPreset(2));
    QTest::qWait(100);
    QCOMPARE(second.value(V4L2_CID_BRIGHTNESS), int64_t(10));

    // Remembering can be turned off.
    qputenv("CAMERACTRL_REMEMBER", "0");
    V4l2Rig third;
    makePtzCamera(third.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(third.open());
    QTest::qWait(100);
    QCOMPARE(third.value(V4L2_CID_BRIGHTNESS), int64_t(10));
}

void tst_V4l2::damagedPresetFiles()
{
    // Presets kept under the camera's port and name by earlier versions still load.
    QDir(config.path()).mkpath("ptz-panel");
    QFile file(config.filePath("ptz-panel/presets"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("garbage\n\t\t\t\nusb-0000:00:14.0-2 PTZ Pro\tx\t1\t2\t3\n"
               "usb-0000:00:14.0-2 PTZ Pro\t5\t99999999999999999999\t2\t3\n"
               "usb-0000:00:14.0-2 PTZ Pro\t6\t72000\t-\t-\n");
    file.close();
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    QVERIFY(!rig.device->CallPreset(5));
    QVERIFY(rig.device->CallPreset(6));
    QTRY_VERIFY(std::abs(rig.pan() - 72000) < ArcSecondsPerDegree);

    // A configuration "directory" that is a file: presets still work for this run, but each
    // one that cannot be kept is refused and said, every time.
    qputenv("XDG_CONFIG_HOME", file.fileName().toLocal8Bit());
    StderrCapture err;
    for (uint8_t preset : {1, 2}) {
        rig.device->SetPreset(preset); // false, unless the camera was too slow to tell in time
        QVERIFY(!rig.device->WaitUntilSent(5000));
    }
    QTRY_COMPARE(err.text().count("is not stored: cannot write"), 2);
    QVERIFY(rig.device->CallPreset(1));
    QVERIFY(rig.device->WaitUntilSent(5000));
}

void tst_V4l2::unsupportedKeysSaySoOnce()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61RelativeAndAbsolute);
    rig.node("/dev/video1").card = "Plain webcam";
    StderrCapture err;
    QVERIFY(rig.open());
    for (int round = 0; round < 3; ++round) {
        QVERIFY(!rig.device->IrOn());
        QVERIFY(!rig.device->NightMode());
        QVERIFY(!rig.device->MenuOff()); // sent at every connection: not worth a word
        QVERIFY(!rig.device->FlipOn());  // no mapping in the 6.1 driver
    }
    // Asked before the camera is read, the worker finds out and says so.
    rig.node("/dev/video1").camera->add(FakeUvcCamera::Brightness);
    RequestLog log(*rig.fake, "/dev/video1", FakeUvcCamera::Brightness);
    QVERIFY(rig.device->Open("1", 1));
    QVERIFY(log.waitUntilHeld(std::chrono::seconds(10)));
    QVERIFY(rig.device->MirrorOn());
    log.release();
    QTRY_VERIFY(err.text().contains("Plain webcam (/dev/video1) offers no mirror"));
    QVERIFY(rig.readCompletely());
    QVERIFY(!rig.device->MirrorOn());
    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.filter("PTZ Pro").size(), 3);
    QVERIFY(lines.last().contains("Plain webcam") && lines.last().contains("mirror"));
    QCOMPARE(rig.commits().size(), size_t(0));
}

void tst_V4l2::failingOpen()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    rig.enumerate();
    rig.node("/dev/video0").openError = EBUSY;
    StderrCapture err;
    QVERIFY(!rig.device->Open("0", 1));
    QVERIFY(!rig.device->Open("0", 1));
    QVERIFY(!rig.device->Open("x", 1));
    QVERIFY(!rig.device->Open("7", 1));
    QVERIFY(!rig.device->SetBrightness(3));
    QVERIFY(!rig.device->ReadParameters());
    QCOMPARE(rig.device->Capabilities(), 0u);
    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].contains("/dev/video0") && lines[0].contains(strerror(EBUSY)));
    rig.node("/dev/video0").openError = 0;
    QVERIFY(rig.open());
}

QTEST_GUILESS_MAIN(tst_V4l2)
#include "tst_v4l2.moc"
