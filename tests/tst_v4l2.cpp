// The V4L2 backend against fake devices: which nodes are cameras, what the records say,
// what each operation writes (clamped, scaled, signed), the stepping fallback, presets
// that survive a restart, and cameras that refuse, vanish or lack controls.
#include "FakeV4l2Io.h"
#include "StderrCapture.h"
#include "V4l2Backend.h"

#include <QtTest>

#include <cerrno>

namespace {

using Writes = std::vector<std::pair<uint32_t, int64_t>>;

FakeControl range(int64_t minimum, int64_t maximum, int64_t defaultValue, int64_t value,
                  uint32_t flags = 0)
{
    FakeControl c;
    c.minimum = minimum;
    c.maximum = maximum;
    c.defaultValue = defaultValue;
    c.value = value;
    c.flags = flags;
    return c;
}

FakeControl button()
{
    FakeControl c = range(0, 0, 0, 0, V4L2_CTRL_FLAG_WRITE_ONLY);
    c.type = V4L2_CTRL_TYPE_BUTTON;
    return c;
}

void addImageControls(FakeNode &node)
{
    node.controls[V4L2_CID_BRIGHTNESS] = range(0, 255, 128, 100);
    node.controls[V4L2_CID_CONTRAST] = range(0, 95, 32, 40);
    node.controls[V4L2_CID_HUE] = range(-2000, 2000, 0, 5, V4L2_CTRL_FLAG_DISABLED);
    node.controls[V4L2_CID_SATURATION] = range(0, 100, 64, 64, V4L2_CTRL_FLAG_READ_ONLY);
    node.controls[V4L2_CID_SHARPNESS] = range(0, 7, 3, 2);
    node.controls[V4L2_CID_BACKLIGHT_COMPENSATION] = range(0, 2, 1, 1);
    node.controls[V4L2_CID_WHITE_BALANCE_TEMPERATURE] = range(2800, 6500, 4600, 5000);
    node.controls[V4L2_CID_AUTO_WHITE_BALANCE] = range(0, 1, 1, 1);
    node.controls[V4L2_CID_POWER_LINE_FREQUENCY] = range(0, 2, 1, 1);
}

// A camera with every control the backend knows, speed controls included.
void makeFullPtz(FakeNode &node)
{
    node.card = "PTZ Pro";
    node.bus = "usb-0000:00:14.0-2";
    addImageControls(node);
    node.controls[V4L2_CID_PAN_SPEED] = range(-1, 20, 0, 0); // a lopsided minimum
    node.controls[V4L2_CID_TILT_SPEED] = range(-10, 10, 0, 0);
    node.controls[V4L2_CID_ZOOM_CONTINUOUS] = range(-7, 7, 0, 0);
    node.controls[V4L2_CID_PAN_ABSOLUTE] = range(-612000, 612000, 0, 36000);
    node.controls[V4L2_CID_TILT_ABSOLUTE] = range(-108000, 324000, 0, -7200);
    node.controls[V4L2_CID_ZOOM_ABSOLUTE] = range(100, 500, 100, 250);
    node.controls[V4L2_CID_PAN_RESET] = button();
    node.controls[V4L2_CID_TILT_RESET] = button();
    node.controls[V4L2_CID_VFLIP] = range(0, 1, 0, 0);
    node.controls[V4L2_CID_HFLIP] = range(0, 1, 0, 0);
    node.controls[V4L2_CID_FOCUS_AUTO] = range(0, 1, 1, 1);
}

void makeAbsoluteOnly(FakeNode &node)
{
    node.card = "Stepper Cam";
    node.bus = "usb-0000:00:14.0-3";
    node.controls[V4L2_CID_PAN_ABSOLUTE] = range(-36000, 36000, 0, 0);
    node.controls[V4L2_CID_TILT_ABSOLUTE] = range(-36000, 36000, 0, 0);
    node.controls[V4L2_CID_ZOOM_ABSOLUTE] = range(0, 100, 0, 0);
}

int writesOf(const Writes &writes, uint32_t id)
{
    return int(
        std::count_if(writes.begin(), writes.end(), [id](const auto &w) { return w.first == id; }));
}

bool speedWritten(const Writes &writes)
{
    return writesOf(writes, V4L2_CID_PAN_SPEED) + writesOf(writes, V4L2_CID_TILT_SPEED) +
               writesOf(writes, V4L2_CID_ZOOM_CONTINUOUS) >
           0;
}

// One backend over fresh fake devices; each test builds the cameras it needs.
struct Rig
{
    FakeV4l2Io *fake;
    std::unique_ptr<V4l2Backend> backend;
    std::unique_ptr<BaseDevice> device;

    Rig()
    {
        auto io = std::make_unique<FakeV4l2Io>();
        fake = io.get();
        backend = std::make_unique<V4l2Backend>(std::move(io));
        device = backend->createDevice();
    }
    FakeNode &node(const char *path) { return fake->node(path); }
    std::vector<DeviceInfo> enumerate()
    {
        std::vector<DeviceInfo> devices;
        backend->enumerate(devices);
        return devices;
    }
};

} // namespace

class tst_V4l2 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void enumeration();
    void recordsAndAvailability();
    void openingChangesNothing();
    void imageOperationsClampAndMap();
    void restoreDefaultsTouchesImageOnly();
    void speedMapping_data();
    void speedMapping();
    void stopsWriteZero();
    void steppingFallback();
    void absolutePositionsInDegrees();
    void homeAndReset();
    void presetsSurviveARestart();
    void damagedPresetFiles();
    void unsupportedKeysSaySoOnce();
    void failingOpen();
    void vanishingMidCommand();

private:
    QTemporaryDir config;
};

void tst_V4l2::init()
{
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QFile::remove(config.filePath("ptz-panel/presets"));
}

void tst_V4l2::enumeration()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.node("/dev/video1").caps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING; // its metadata
    rig.node("/dev/video1").card = "PTZ Pro";
    makeFullPtz(rig.node("/dev/video2"));
    rig.node("/dev/video2").bus = "usb-0000:00:14.0-4";
    rig.node("/dev/video3").openError = EACCES;
    rig.node("/dev/video10").card = "Webcam";
    rig.node("/dev/video11").caps = V4L2_CAP_VIDEO_OUTPUT;

    StderrCapture err;
    const auto devices = rig.enumerate();
    QCOMPARE(int(devices.size()), 3);
    QCOMPARE(devices[0].name, std::string("PTZ Pro"));
    QCOMPARE(devices[0].path, std::string("/dev/video0"));
    QCOMPARE(devices[1].name, std::string("PTZ Pro (2)"));
    QCOMPARE(devices[1].path, std::string("/dev/video2"));
    QCOMPARE(devices[2].name, std::string("Webcam"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(devices[i].index, i);
    rig.enumerate();
    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].contains("/dev/video3") && lines[0].contains("video group"));
    QCOMPARE(rig.fake->openDescriptors(), 0);
}

void tst_V4l2::recordsAndAvailability()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(rig.device->ReadParameters());
    const auto fields = [&](int index) {
        const ParameterRecord &r = rig.device->parameters[index];
        return QList<int>{r.minimum, r.maximum, r.defaultValue, r.currentValue, r.available};
    };
    QCOMPARE(fields(PARAM_BRIGHTNESS), (QList<int>{0, 255, 128, 100, 1}));
    QCOMPARE(fields(PARAM_WHITE_BALANCE), (QList<int>{2800, 6500, 4600, 5000, 1}));
    QCOMPARE(fields(PARAM_SATURATION), (QList<int>{0, 100, 64, 64, 0})); // read-only
    QCOMPARE(fields(PARAM_HUE), (QList<int>{0, 0, 0, 0, 0}));            // disabled
    QCOMPARE(fields(PARAM_GAMMA), (QList<int>{0, 0, 0, 0, 0}));          // missing
    QCOMPARE(fields(PARAM_CONTRAST), (QList<int>{0, 95, 32, 40, 1}));
    QVERIFY(!rig.device->SetHue(3));
    QVERIFY(!rig.device->SetSaturation(3));
    QVERIFY(!rig.device->SetGamma(3));
}

void tst_V4l2::openingChangesNothing()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    rig.device->ReadParameters();
    int32_t position = 0;
    rig.device->GetPanPosition(&position);
    QVERIFY(rig.node("/dev/video0").writes.empty());
    QVERIFY(!rig.device->Open("-1", 1));
    QVERIFY(!rig.device->Open("1", 1));
    QVERIFY(!rig.device->Open("x", 1));
    QCOMPARE(rig.fake->openDescriptors(), 0);
}

void tst_V4l2::imageOperationsClampAndMap()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(rig.device->SetBrightness(999));
    QVERIFY(rig.device->SetBrightness(-5));
    QVERIFY(rig.device->SetContrast(50));
    QVERIFY(rig.device->SetWhiteBalanceAuto(0));
    QVERIFY(rig.device->SetWhiteBalance(1000));
    QVERIFY(rig.device->SetFlicker(1));
    QVERIFY(rig.device->SetFlicker(2));
    QVERIFY(!rig.device->SetFlicker(0));
    QVERIFY(rig.device->FlipOn());
    QVERIFY(rig.device->MirrorOff());
    QVERIFY(rig.device->ManualFocus());
    const Writes expected = {{V4L2_CID_BRIGHTNESS, 255},
                             {V4L2_CID_BRIGHTNESS, 0},
                             {V4L2_CID_CONTRAST, 50},
                             {V4L2_CID_AUTO_WHITE_BALANCE, 0},
                             {V4L2_CID_WHITE_BALANCE_TEMPERATURE, 2800},
                             {V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CID_POWER_LINE_FREQUENCY_50HZ},
                             {V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CID_POWER_LINE_FREQUENCY_60HZ},
                             {V4L2_CID_VFLIP, 1},
                             {V4L2_CID_HFLIP, 0},
                             {V4L2_CID_FOCUS_AUTO, 0}};
    QVERIFY(rig.node("/dev/video0").writes == expected);
}

void tst_V4l2::restoreDefaultsTouchesImageOnly()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(rig.device->RestoreImageDefaults());
    const Writes &writes = rig.node("/dev/video0").writes;
    QCOMPARE(writesOf(writes, V4L2_CID_BRIGHTNESS), 1);
    QCOMPARE(rig.node("/dev/video0").controls[V4L2_CID_BRIGHTNESS].value, 128);
    QCOMPARE(rig.node("/dev/video0").controls[V4L2_CID_WHITE_BALANCE_TEMPERATURE].value, 4600);
    QCOMPARE(writesOf(writes, V4L2_CID_SATURATION), 0); // read-only
    QVERIFY(!speedWritten(writes));
    QCOMPARE(writesOf(writes, V4L2_CID_PAN_ABSOLUTE), 0);
}

void tst_V4l2::speedMapping_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("speed");
    QTest::addColumn<uint>("control");
    QTest::addColumn<int>("written");
    QTest::newRow("pan right slowest still moves")
        << "PanRight" << 1 << uint(V4L2_CID_PAN_SPEED) << 1;
    QTest::newRow("pan right half") << "PanRight" << 12 << uint(V4L2_CID_PAN_SPEED) << 10;
    QTest::newRow("pan right fastest") << "PanRight" << 24 << uint(V4L2_CID_PAN_SPEED) << 20;
    QTest::newRow("pan left past the lopsided minimum")
        << "PanLeft" << 24 << uint(V4L2_CID_PAN_SPEED) << -20;
    QTest::newRow("pan left slowest") << "PanLeft" << 1 << uint(V4L2_CID_PAN_SPEED) << -1;
    QTest::newRow("pan speed 0 stops") << "PanRight" << 0 << uint(V4L2_CID_PAN_SPEED) << 0;
    QTest::newRow("tilt up fastest") << "TiltUp" << 16 << uint(V4L2_CID_TILT_SPEED) << 10;
    QTest::newRow("tilt down") << "TiltDown" << 8 << uint(V4L2_CID_TILT_SPEED) << -5;
    QTest::newRow("zoom in fastest") << "ZoomIn" << 7 << uint(V4L2_CID_ZOOM_CONTINUOUS) << 7;
    QTest::newRow("zoom out slowest") << "ZoomOut" << 1 << uint(V4L2_CID_ZOOM_CONTINUOUS) << -1;
    QTest::newRow("past the panel's fastest") << "PanRight" << 99 << uint(V4L2_CID_PAN_SPEED) << 20;
}

void tst_V4l2::speedMapping()
{
    QFETCH(QString, operation);
    QFETCH(int, speed);
    QFETCH(uint, control);
    QFETCH(int, written);
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    BaseDevice &d = *rig.device;
    const std::map<QString, std::function<bool(int)>> operations = {
        {"PanRight", [&](int s) { return d.PanRight(s); }},
        {"PanLeft", [&](int s) { return d.PanLeft(s); }},
        {"TiltUp", [&](int s) { return d.TiltUp(s); }},
        {"TiltDown", [&](int s) { return d.TiltDown(s); }},
        {"ZoomIn", [&](int s) { return d.ZoomIn(s); }},
        {"ZoomOut", [&](int s) { return d.ZoomOut(s); }},
    };
    QVERIFY(operations.at(operation)(speed));
    const Writes expected = {{control, written}};
    QVERIFY(rig.node("/dev/video0").writes == expected);
}

void tst_V4l2::stopsWriteZero()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    rig.device->PanLeft(5);
    rig.device->TiltUp(5);
    rig.device->TiltUpStop();
    rig.device->TiltDownStop();
    rig.device->PanLeftStop();
    rig.device->PanRightStop();
    rig.device->ZoomStop();
    const Writes &writes = rig.node("/dev/video0").writes;
    const Writes stops(writes.begin() + 2, writes.end());
    const Writes expected = {{V4L2_CID_TILT_SPEED, 0},
                             {V4L2_CID_TILT_SPEED, 0},
                             {V4L2_CID_PAN_SPEED, 0},
                             {V4L2_CID_PAN_SPEED, 0},
                             {V4L2_CID_ZOOM_CONTINUOUS, 0}};
    QVERIFY(stops == expected);
}

void tst_V4l2::steppingFallback()
{
    Rig rig;
    makeAbsoluteOnly(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(rig.device->PanRight(24));
    QVERIFY(rig.device->ZoomIn(7));
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(300);
    QVERIFY(rig.device->PanRightStop());
    QVERIFY(rig.device->ZoomStop());
    const qint64 elapsed = clock.elapsed();
    QTest::qWait(150);

    FakeNode &node = rig.node("/dev/video0");
    const int panWrites = writesOf(node.writes, V4L2_CID_PAN_ABSOLUTE);
    // Rate-limited: one step every 50 ms at most.
    QVERIFY2(panWrites >= 2 && panWrites <= elapsed / 50 + 1,
             qPrintable(QString::number(panWrites)));
    QVERIFY(node.controls[V4L2_CID_PAN_ABSOLUTE].value > 0);
    QVERIFY(node.controls[V4L2_CID_ZOOM_ABSOLUTE].value > 0);
    const size_t afterStop = node.writes.size();
    QTest::qWait(150);
    QCOMPARE(node.writes.size(), afterStop);

    // It stops at the end of the range on its own.
    QVERIFY(rig.device->TiltDown(16));
    QTRY_COMPARE_WITH_TIMEOUT(node.controls[V4L2_CID_TILT_ABSOLUTE].value, int64_t(-36000), 3000);
    QVERIFY(!speedWritten(node.writes));
    QVERIFY(rig.device->Close());
}

void tst_V4l2::absolutePositionsInDegrees()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    int32_t pan = 0, tilt = 0;
    QVERIFY(rig.device->GetPanPosition(&pan));
    QVERIFY(rig.device->GetTiltPosition(&tilt));
    QCOMPARE(pan, 10);  // 36000 arc-seconds
    QCOMPARE(tilt, -2); // -7200
    QVERIFY(rig.device->SetPanPosition(-30));
    QVERIFY(rig.device->SetTiltPosition(1000)); // beyond the camera's 90 degrees
    const Writes expected = {{V4L2_CID_PAN_ABSOLUTE, -108000}, {V4L2_CID_TILT_ABSOLUTE, 324000}};
    QVERIFY(rig.node("/dev/video0").writes == expected);
    QVERIFY(rig.device->GetTiltPosition(&tilt));
    QCOMPARE(tilt, 90);

    Rig webcam;
    addImageControls(webcam.node("/dev/video0"));
    webcam.enumerate();
    QVERIFY(webcam.device->Open("0", 1));
    int32_t untouched = 77;
    QVERIFY(!webcam.device->GetPanPosition(&untouched));
    QCOMPARE(untouched, 77);
    QVERIFY(!webcam.device->SetPanPosition(5));
    QVERIFY(!webcam.device->PanLeft(5));
}

void tst_V4l2::homeAndReset()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    makeAbsoluteOnly(rig.node("/dev/video1"));
    rig.node("/dev/video1").controls[V4L2_CID_PAN_ABSOLUTE].value = 9000;
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(rig.device->Home());
    Writes expected = {{V4L2_CID_PAN_RESET, 1}, {V4L2_CID_TILT_RESET, 1}};
    QVERIFY(rig.node("/dev/video0").writes == expected);
    QVERIFY(rig.device->PtzReset());
    QCOMPARE(rig.node("/dev/video0").controls[V4L2_CID_ZOOM_ABSOLUTE].value, 100);

    QVERIFY(rig.device->Open("1", 1));
    QVERIFY(rig.device->PtzReset());
    expected = {
        {V4L2_CID_PAN_ABSOLUTE, 0}, {V4L2_CID_TILT_ABSOLUTE, 0}, {V4L2_CID_ZOOM_ABSOLUTE, 0}};
    QVERIFY(rig.node("/dev/video1").writes == expected);
}

void tst_V4l2::presetsSurviveARestart()
{
    {
        Rig first;
        makeFullPtz(first.node("/dev/video0"));
        first.enumerate();
        QVERIFY(first.device->Open("0", 1));
        QVERIFY(first.device->SetPreset(3));
        QVERIFY(first.device->ClearPreset(4));
        QVERIFY(!first.device->CallPreset(4));
    }
    QVERIFY(QFile::exists(config.filePath("ptz-panel/presets")));

    // Another run, and the camera moved meanwhile; it is now a different node.
    Rig second;
    makeAbsoluteOnly(second.node("/dev/video0"));
    makeFullPtz(second.node("/dev/video4"));
    FakeNode &camera = second.node("/dev/video4");
    camera.controls[V4L2_CID_PAN_ABSOLUTE].value = 0;
    camera.controls[V4L2_CID_ZOOM_ABSOLUTE].value = 400;
    second.enumerate();
    QVERIFY(second.device->Open("1", 1));
    QVERIFY(second.device->CallPreset(3));
    const Writes expected = {{V4L2_CID_PAN_ABSOLUTE, 36000},
                             {V4L2_CID_TILT_ABSOLUTE, -7200},
                             {V4L2_CID_ZOOM_ABSOLUTE, 250}};
    QVERIFY(camera.writes == expected);

    // Presets belong to their camera.
    QVERIFY(second.device->Open("0", 1));
    QVERIFY(!second.device->CallPreset(3));
    QVERIFY(second.device->Open("1", 1));
    QVERIFY(second.device->ClearPreset(3));
    Rig third;
    makeFullPtz(third.node("/dev/video4"));
    third.enumerate();
    QVERIFY(third.device->Open("0", 1));
    QVERIFY(!third.device->CallPreset(3));
}

void tst_V4l2::damagedPresetFiles()
{
    QDir(config.path()).mkpath("ptz-panel");
    QFile file(config.filePath("ptz-panel/presets"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("garbage\n\t\t\t\nusb-0000:00:14.0-2 PTZ Pro\tx\t1\t2\t3\n"
               "usb-0000:00:14.0-2 PTZ Pro\t5\t99999999999999999999\t2\t3\n"
               "usb-0000:00:14.0-2 PTZ Pro\t6\t7200\t-\t-\n");
    file.close();
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    QVERIFY(!rig.device->CallPreset(5));
    QVERIFY(rig.device->CallPreset(6));
    const Writes expected = {{V4L2_CID_PAN_ABSOLUTE, 7200}};
    QVERIFY(rig.node("/dev/video0").writes == expected);

    // A configuration "directory" that is a file: presets still work for this run.
    qputenv("XDG_CONFIG_HOME", file.fileName().toLocal8Bit());
    StderrCapture err;
    QVERIFY(rig.device->SetPreset(1));
    QVERIFY(rig.device->SetPreset(2));
    QVERIFY(rig.device->CallPreset(1));
    QCOMPARE(err.text().count("cannot write presets"), 1);
}

void tst_V4l2::unsupportedKeysSaySoOnce()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.node("/dev/video1").card = "Plain webcam";
    rig.enumerate();
    StderrCapture err;
    QVERIFY(rig.device->Open("0", 1));
    for (int round = 0; round < 3; ++round) {
        QVERIFY(!rig.device->IrOn());
        QVERIFY(!rig.device->NightMode());
        QVERIFY(!rig.device->MenuOff());
        QVERIFY(!rig.device->FramingAuto());
    }
    QVERIFY(rig.device->Open("1", 1));
    QVERIFY(!rig.device->MenuOff());
    QVERIFY(!rig.device->FlipOn());
    QVERIFY(rig.node("/dev/video0").writes.empty());
    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.filter("PTZ Pro").size(), 4);
    QVERIFY(lines.last().contains("Plain webcam") && lines.last().contains("on-screen menu"));
}

void tst_V4l2::failingOpen()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    rig.enumerate();
    rig.node("/dev/video0").openError = EBUSY;
    StderrCapture err;
    QVERIFY(!rig.device->Open("0", 1));
    QVERIFY(!rig.device->Open("0", 1));
    QVERIFY(!rig.device->SetBrightness(3));
    QVERIFY(!rig.device->ReadParameters());
    const QStringList lines = err.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].contains("/dev/video0") && lines[0].contains(strerror(EBUSY)));

    rig.node("/dev/video0").openError = 0;
    QVERIFY(rig.device->Open("0", 1));
}

void tst_V4l2::vanishingMidCommand()
{
    Rig rig;
    makeFullPtz(rig.node("/dev/video0"));
    makeAbsoluteOnly(rig.node("/dev/video1"));
    rig.enumerate();
    QVERIFY(rig.device->Open("0", 1));
    StderrCapture err;
    rig.node("/dev/video0").vanished = true;
    QVERIFY(!rig.device->SetBrightness(10));
    QVERIFY(!rig.device->PanLeft(3));
    QVERIFY(!rig.device->ReadParameters());
    int32_t pan = 5;
    QVERIFY(!rig.device->GetPanPosition(&pan));
    QCOMPARE(pan, 5);
    QVERIFY(rig.device->Close());
    QCOMPARE(err.text().count("is gone"), 1);
    QCOMPARE(rig.fake->openDescriptors(), 0);

    // Gone while the stepper moves it: the stepper stops, nothing hangs.
    QVERIFY(rig.device->Open("1", 1));
    QVERIFY(rig.device->PanRight(10));
    QTest::qWait(120);
    rig.node("/dev/video1").vanished = true;
    QTest::qWait(120);
    QVERIFY(!rig.device->PanRightStop());
    QVERIFY(rig.device->Close());
}

QTEST_GUILESS_MAIN(tst_V4l2)
#include "tst_v4l2.moc"
