// SPDX-License-Identifier: GPL-2.0-or-later
// The camera-control library through its public interface: the simulated backend's
// cameras and files, the state a camera keeps, and the trace.
#include "BaseDevice.h"
#include "SimCameras.h"
#include "StderrCapture.h"
#include "TraceFile.h"

#include <QtTest>

namespace {

// Library devices live for the whole process; tests take a fresh one each time.
BaseDevice *freshDevice()
{
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    Q_ASSERT(device);
    return device;
}

std::vector<DeviceInfo> enumerate(bool *ok = nullptr)
{
    std::vector<DeviceInfo> devices;
    const bool result = BaseDevice::EnumUSBDevices(devices);
    if (ok)
        *ok = result;
    return devices;
}

QList<int> fields(const ParameterRecord &r)
{
    return {r.minimum, r.maximum, r.step, r.defaultValue, r.currentValue, r.available};
}

} // namespace

class tst_CameraLibrary : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void builtinCameraDiffersFromPlaceholders();
    void camFileRecords_data();
    void camFileRecords();
    void malformedLinesAreReportedOnceAndSkipped();
    void enumerationFollowsFileNames();
    void noCameraWhenDirectoryEmptyOrMissing();
    void openRefusesBadIndicesAndFailingCameras();
    void vanishedFileCannotBeOpened();
    void cameraKeepsImageState();
    void cameraKeepsPositionsAndPresets();
    void motionMovesUntilStopped();
    void commandsWithoutCameraDoNothing();
    void healthOfASimulatedCamera();
    void traceWritesOneLinePerCall();
    void traceToStderr();
    void unknownBackendIsRefused();
    void realCamerasByDefault();
};

void tst_CameraLibrary::init()
{
    qunsetenv("CAMERACTRL_SIM_DIR");
    qputenv("CAMERACTRL_BACKEND", "sim");
    qunsetenv("CAMERACTRL_TRACE");
}

void tst_CameraLibrary::builtinCameraDiffersFromPlaceholders()
{
    bool ok = false;
    const auto devices = enumerate(&ok);
    QVERIFY(ok);
    QCOMPARE(int(devices.size()), 1);
    QCOMPARE(devices[0].index, 0);
    QVERIFY(!devices[0].name.empty());

    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("0", 1));
    QVERIFY(device->ReadParameters());
    QCOMPARE(fields(device->parameters[PARAM_BRIGHTNESS]), (QList<int>{0, 255, 1, 128, 128, 1}));
    QCOMPARE(device->parameters[PARAM_HUE].available, 1);
    for (int index : {PARAM_WHITE_BALANCE, PARAM_BRIGHTNESS, PARAM_HUE, PARAM_SATURATION,
                      PARAM_SHARPNESS, PARAM_BACKLIGHT, PARAM_GAMMA, PARAM_CONTRAST}) {
        const ParameterRecord &r = device->parameters[index];
        QVERIFY2(r.minimum != 0 || r.maximum != 20, qPrintable(QString::number(index)));
        QVERIFY(r.minimum <= r.currentValue && r.currentValue <= r.maximum);
    }
}

void tst_CameraLibrary::camFileRecords_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("record");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<QString>("name");

    QTest::newRow("given") << QByteArray("name=Desk\nbrightness=-10,10,2,0,4,0\n")
                           << int(PARAM_BRIGHTNESS) << QList<int>{-10, 10, 2, 0, 4, 0} << "Desk";
    QTest::newRow("spaces, CRLF and plus signs")
        << QByteArray("  name = Front camera \r\n gamma = 1, +9 ,1,5,5,1\r\n") << int(PARAM_GAMMA)
        << QList<int>{1, 9, 1, 5, 5, 1} << "Front camera";
    QTest::newRow("missing key keeps built-in") << QByteArray("name=X\n") << int(PARAM_BRIGHTNESS)
                                                << QList<int>{0, 255, 1, 128, 128, 1} << "X";
    QTest::newRow("missing name is the file's")
        << QByteArray("contrast=0,1,1,0,1,1\n") << int(PARAM_CONTRAST)
        << QList<int>{0, 1, 1, 0, 1, 1} << "cam0";
    QTest::newRow("extreme integers")
        << QByteArray("whitebalance=-2147483648,2147483647,1,0,2147483647,1\n")
        << int(PARAM_WHITE_BALANCE) << QList<int>{INT_MIN, INT_MAX, 1, 0, INT_MAX, 1} << "cam0";
    QTest::newRow("utf-8 name") << QByteArray("name=Kamera \xc3\xa9\xe2\x82\xac\n")
                                << int(PARAM_HUE) << QList<int>{-180, 180, 1, 0, 0, 1}
                                << QString::fromUtf8("Kamera \xc3\xa9\xe2\x82\xac");
}

void tst_CameraLibrary::camFileRecords()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, record);
    QFETCH(QList<int>, expected);
    QFETCH(QString, name);

    SimCameras cameras;
    cameras.plug("cam0.cam", contents);
    const auto devices = enumerate();
    QCOMPARE(int(devices.size()), 1);
    QCOMPARE(QString::fromStdString(devices[0].name), name);

    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("0", 1));
    QVERIFY(device->ReadParameters());
    QCOMPARE(fields(device->parameters[record]), expected);
}

void tst_CameraLibrary::malformedLinesAreReportedOnceAndSkipped()
{
    SimCameras cameras;
    cameras.plug("bad.cam", "name=Odd\n"
                            "brightness=1,2,3\n"
                            "contrast=a,b,c,d,e,f\n"
                            "hue=1,2,3,4,5,6,7\n"
                            "gamma=0,10,1,5,5,1,\n"
                            "sharpness=0,99999999999,1,0,0,1\n"
                            "just words\n"
                            "colour=1,2,3,4,5,6\n"
                            "open=maybe\n"
                            "saturation=0,9,1,4,4,1\n");
    StderrCapture err;
    enumerate();
    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("0", 1)); // "open=maybe" leaves the camera openable
    device->ReadParameters();
    enumerate();

    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 8);
    QVERIFY(lines[0].contains("bad.cam:2"));
    for (const QString &line : lines)
        QVERIFY2(line.startsWith("CameraCtrl: ") && line.contains("ignored"), qPrintable(line));

    // The good line after the bad ones counts; the bad ones left the built-in values.
    QCOMPARE(fields(device->parameters[PARAM_SATURATION]), (QList<int>{0, 9, 1, 4, 4, 1}));
    QCOMPARE(device->parameters[PARAM_BRIGHTNESS].maximum, 255);
    QCOMPARE(device->parameters[PARAM_GAMMA].maximum, 500);
}

void tst_CameraLibrary::enumerationFollowsFileNames()
{
    SimCameras cameras;
    cameras.plug("b.cam", "name=Second\n");
    cameras.plug("a.cam", "name=First\n");
    cameras.plug("c.txt", "name=Not a camera\n");
    QVERIFY(QDir(cameras.dir()).mkdir("d.cam"));
    const auto devices = enumerate();
    QCOMPARE(int(devices.size()), 2);
    QCOMPARE(devices[0].name, std::string("First"));
    QCOMPARE(devices[0].index, 0);
    QCOMPARE(devices[1].name, std::string("Second"));
    QCOMPARE(devices[1].index, 1);

    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("1", 1));
    QVERIFY(!device->Open("2", 1));
}

void tst_CameraLibrary::noCameraWhenDirectoryEmptyOrMissing()
{
    SimCameras cameras;
    bool ok = false;
    QVERIFY(enumerate(&ok).empty());
    QVERIFY(ok);
    QVERIFY(!freshDevice()->Open("0", 1));

    qputenv("CAMERACTRL_SIM_DIR", QByteArray(cameras.dir().toLocal8Bit() + "/missing"));
    QVERIFY(enumerate(&ok).empty());
    QVERIFY(ok);
}

void tst_CameraLibrary::openRefusesBadIndicesAndFailingCameras()
{
    SimCameras cameras;
    cameras.plug("a.cam", "name=Good\n");
    cameras.plug("b.cam", "name=Broken\nopen=fail\n");
    BaseDevice::Initial();
    BaseDevice *device = freshDevice();
    for (const char *bad : {"-1", "2", "", "x", "0x", " 0", "+0", "99999999999999"})
        QVERIFY2(!device->Open(bad, 1), bad);
    QVERIFY(!device->Open(nullptr, 1));
    QVERIFY(!device->Open("1", 1));
    QVERIFY(device->Open("0", 1));
}

void tst_CameraLibrary::vanishedFileCannotBeOpened()
{
    SimCameras cameras;
    cameras.plug("a.cam", "name=Here\n");
    QCOMPARE(int(enumerate().size()), 1);
    cameras.unplug("a.cam");
    QVERIFY(!freshDevice()->Open("0", 1));
}

void tst_CameraLibrary::cameraKeepsImageState()
{
    SimCameras cameras;
    cameras.plug("a.cam", "brightness=0,100,1,50,50,1\nhue=-10,10,1,0,3,1\n");
    enumerate();
    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("0", 1));
    QVERIFY(device->SetBrightness(12));
    QVERIFY(device->SetHue(-4));
    device->ReadParameters();
    QCOMPARE(device->parameters[PARAM_BRIGHTNESS].currentValue, 12);
    QCOMPARE(device->parameters[PARAM_HUE].currentValue, -4);

    device->SetBrightness(1000); // a camera holds its own range
    device->ReadParameters();
    QCOMPARE(device->parameters[PARAM_BRIGHTNESS].currentValue, 100);

    // Closing and opening again finds the camera as it was left.
    device->Close();
    QVERIFY(device->Open("0", 1));
    device->ReadParameters();
    QCOMPARE(device->parameters[PARAM_BRIGHTNESS].currentValue, 100);

    QVERIFY(device->RestoreImageDefaults());
    device->ReadParameters();
    QCOMPARE(device->parameters[PARAM_BRIGHTNESS].currentValue, 50);
    QCOMPARE(device->parameters[PARAM_HUE].currentValue, 0);
}

void tst_CameraLibrary::cameraKeepsPositionsAndPresets()
{
    SimCameras cameras;
    cameras.plug("a.cam");
    cameras.plug("b.cam");
    enumerate();
    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("0", 1));
    int32_t pan = 1, tilt = 1;
    QVERIFY(device->SetPanPosition(-300));
    QVERIFY(device->SetTiltPosition(250));
    QVERIFY(device->GetPanPosition(&pan));
    QVERIFY(device->GetTiltPosition(&tilt));
    QCOMPARE(pan, -300);
    QCOMPARE(tilt, 250);

    QVERIFY(device->SetPreset(8));
    device->SetPanPosition(100);
    device->SetTiltPosition(0);
    QVERIFY(device->CallPreset(8));
    device->GetPanPosition(&pan);
    device->GetTiltPosition(&tilt);
    QCOMPARE(pan, -300);
    QCOMPARE(tilt, 250);

    QVERIFY(device->ClearPreset(8));
    device->SetPanPosition(100);
    QVERIFY(!device->CallPreset(8));
    device->GetPanPosition(&pan);
    QCOMPARE(pan, 100);

    // Another camera has positions of its own.
    QVERIFY(device->Open("1", 1));
    device->GetPanPosition(&pan);
    QCOMPARE(pan, 0);
    QVERIFY(device->Open("0", 1));
    device->GetPanPosition(&pan);
    QCOMPARE(pan, 100);

    QVERIFY(device->Home());
    device->GetPanPosition(&pan);
    QCOMPARE(pan, 0);
}

void tst_CameraLibrary::motionMovesUntilStopped()
{
    BaseDevice::Initial();
    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("0", 1));
    device->SetPanPosition(0);
    QVERIFY(device->PanRight(24));
    QTest::qWait(150);
    // Stopping the other direction does not stop this one.
    QVERIFY(device->PanLeftStop());
    QTest::qWait(50);
    QVERIFY(device->PanRightStop());
    int32_t stopped = 0, later = 0;
    device->GetPanPosition(&stopped);
    QVERIFY2(stopped >= 40, qPrintable(QString::number(stopped)));
    QTest::qWait(50);
    device->GetPanPosition(&later);
    QCOMPARE(later, stopped);
}

void tst_CameraLibrary::commandsWithoutCameraDoNothing()
{
    BaseDevice::Initial();
    BaseDevice *device = freshDevice();
    QVERIFY(device->Open("0", 1));
    device->SetGamma(301);
    device->ReadParameters();
    QVERIFY(device->Close());
    // The records keep what the last camera reported.
    QVERIFY(!device->ReadParameters());
    QCOMPARE(device->parameters[PARAM_GAMMA].currentValue, 301);
    QVERIFY(!device->SetBrightness(5));
    QVERIFY(!device->PanLeft(3));
    QVERIFY(!device->ZoomStop());
    QVERIFY(!device->CallPreset(1));
    QVERIFY(!device->MenuOff());
    int32_t untouched = 4242;
    QVERIFY(!device->GetPanPosition(&untouched));
    QVERIFY(!device->GetTiltPosition(&untouched));
    QCOMPARE(untouched, 4242);
    QVERIFY(device->Close());
}

void tst_CameraLibrary::healthOfASimulatedCamera()
{
    SimCameras cameras;
    cameras.plug("hall.cam", "name=Hall\nhealth=silent\n");
    enumerate();
    BaseDevice *device = freshDevice();
    std::atomic<uint32_t> told{0};
    device->SetChangeListener(
        [](void *context, uint32_t changes) {
            static_cast<std::atomic<uint32_t> *>(context)->fetch_or(changes);
        },
        &told);
    QVERIFY(device->Open("0", 1));
    QCOMPARE(device->Health(), int32_t(HEALTH_NOT_ANSWERING));
    QCOMPARE(device->Capabilities(), 0u);
    QVERIFY(!device->SetBrightness(3));
    QVERIFY(!device->PanLeft(3));
    // Edited while it runs, as a camera that comes back: told, and it takes commands again.
    cameras.plug("hall.cam", "name=Hall\nhealth=slow\n");
    QTRY_VERIFY(told & CHANGED_HEALTH);
    QCOMPARE(device->Health(), int32_t(HEALTH_SLOW));
    QVERIFY(device->Capabilities() & CAP_PAN_TILT);
    QVERIFY(device->SetBrightness(3));
    device->SetChangeListener(nullptr, nullptr);
    device->Close();
    QCOMPARE(device->Health(), int32_t(HEALTH_ANSWERING));
}

void tst_CameraLibrary::traceWritesOneLinePerCall()
{
    TraceFile trace;
    BaseDevice *device = freshDevice();
    BaseDevice::Initial();
    std::vector<DeviceInfo> devices;
    BaseDevice::EnumUSBDevices(devices);
    device->Open("0", 1);
    device->SetBrightness(12);
    device->PanLeft(9);
    device->TiltUpStop();
    device->SetPreset(8);
    device->CallPreset(255);
    device->SetPanPosition(-300);
    int32_t pan = 0;
    device->GetPanPosition(&pan);
    device->SetWhiteBalanceAuto(0);
    device->Open("-1", 1);
    device->Close();
    QCOMPARE(trace.lines(),
             (QStringList{"CreateDevice 0", "Initial", "EnumUSBDevices", "Open 0 1",
                          "SetBrightness 12", "PanLeft 9", "TiltUpStop", "SetPreset 8",
                          "CallPreset 255", "SetPanPosition -300", "GetPanPosition",
                          "SetWhiteBalanceAuto 0", "Open -1 1", "Close"}));
}

void tst_CameraLibrary::traceToStderr()
{
    qputenv("CAMERACTRL_TRACE", "-");
    StderrCapture err;
    BaseDevice::Initial();
    freshDevice()->ZoomIn(2);
    qunsetenv("CAMERACTRL_TRACE");
    BaseDevice::Initial();
    QCOMPARE(err.text(), QString("Initial\nCreateDevice 0\nZoomIn 2\n"));
}

void tst_CameraLibrary::unknownBackendIsRefused()
{
    qputenv("CAMERACTRL_BACKEND", "carrier-pigeon");
    StderrCapture err;
    QVERIFY(BaseDevice::CreateDevice(DEVICE_USB) == nullptr);
    std::vector<DeviceInfo> devices(3);
    QVERIFY(!BaseDevice::EnumUSBDevices(devices));
    QVERIFY(devices.empty());
    BaseDevice::Initial();
    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].contains("carrier-pigeon"));
    QVERIFY(lines[0].contains("sim") && lines[0].contains("v4l2"));

    qputenv("CAMERACTRL_BACKEND", "sim");
    QVERIFY(BaseDevice::CreateDevice(DEVICE_USB) != nullptr);
    QVERIFY(BaseDevice::CreateDevice(DeviceType(7)) == nullptr);
}

void tst_CameraLibrary::realCamerasByDefault()
{
    // Whatever this machine has attached, the V4L2 backend answers and is traced alike.
    TraceFile trace;
    for (const char *backend : {"", "v4l2"}) {
        qputenv("CAMERACTRL_BACKEND", backend);
        BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
        QVERIFY(device);
        std::vector<DeviceInfo> devices;
        QVERIFY(BaseDevice::EnumUSBDevices(devices));
        QVERIFY(!device->Open("-1", 1));
        QVERIFY(!device->Open(std::to_string(devices.size()).c_str(), 1));
    }
    QCOMPARE(trace.lines().mid(0, 3),
             (QStringList{"CreateDevice 0", "EnumUSBDevices", "Open -1 1"}));
}

QTEST_GUILESS_MAIN(tst_CameraLibrary)
#include "tst_cameralibrary.moc"
