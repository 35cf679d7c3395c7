// SPDX-License-Identifier: GPL-2.0-or-later
// Presets' pictures on every kind of camera: the simulated one, a USB camera (the kernel
// driver's fake, MJPEG and YUYV, and one another program streams), an ONVIF camera's own
// snapshot, a VISCA camera's snapshot URL and RTSP stream (GStreamer's RTSP server on
// 127.0.0.1). Two presets at two places get two pictures; a camera that answers badly gets
// none, said once; a password in a URL shows nowhere.
#include "JpegModule.h"
#include "NetworkCameraFile.h"
#include "OnvifBackend.h"
#include "OnvifEmulator.h"
#include "SimBackend.h"
#include "SimView.h"
#include "StderrCapture.h"
#include "TraceDevice.h"
#include "TraceFile.h"
#include "V4l2Rig.h"
#include "ViscaBackend.h"
#include "ViscaEmulator.h"

#include <QProcess>
#include <QtTest>

#include <linux/videodev2.h>

namespace {

enum class Kind
{
    Sim,
    UsbMjpeg,
    UsbYuyv,
    Onvif,
    Snapshot,
    Stream
};

// What the tests see of a picture, whatever made it: Qt decodes it, and 8 x 6 grey cells in
// 8 levels tell two views apart without any exact pixel.
QByteArray coarse(const std::vector<uint8_t> &jpeg, QSize &size)
{
    const QImage image = QImage::fromData(jpeg.data(), int(jpeg.size()), "JPEG");
    size = image.size();
    const QImage cells = image.convertToFormat(QImage::Format_Grayscale8)
                             .scaled(8, 6, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray out;
    for (int y = 0; y < cells.height(); ++y)
        for (int x = 0; x < cells.width(); ++x)
            out += char(qGray(cells.pixel(x, y)) / 32);
    return out;
}

// A scene for the network cameras' snapshots: the simulation's, at a place.
std::string drawn(int place)
{
    std::vector<uint8_t> jpeg;
    std::string error;
    JpegModule::codec(error)->encode(SimView::draw(place * 300, place * 50, place * 150), 85, jpeg,
                                     error);
    return {jpeg.begin(), jpeg.end()};
}

struct Camera
{
    std::unique_ptr<V4l2Rig> usb;
    OnvifEmulator http; // the ONVIF camera, and any camera's snapshot URL
    std::unique_ptr<ViscaEmulator> visca;
    QProcess rtsp;
    std::unique_ptr<Backend> backend;
    std::unique_ptr<BaseDevice> owned;
    BaseDevice *device = nullptr;
    ChangeCounter listened;
    std::atomic<int> place{0}; // where the network cameras point, for their scene
    const Kind kind;

    // `credentials` ("user:password") go into the snapshot's or stream's URL; the stream's
    // server asks for `asked`.
    explicit Camera(Kind k, const std::string &credentials = {}, const std::string &asked = {})
        : kind(k)
    {
        http.change([this](OnvifEmulator::Behaviour &b) {
            b.snapshot = [this](double pan, double, double) {
                return drawn(kind == Kind::Onvif ? int(pan * 10) : place.load());
            };
        });
        // Each its own name: what was said of one camera is not what is said of another.
        static int cameras = 0;
        const std::string name = "Camera " + std::to_string(++cameras);
        std::string line = http.line(name);
        if (kind == Kind::Snapshot || kind == Kind::Stream) {
            visca = std::make_unique<ViscaEmulator>();
            line = visca->line(name, true) + ", \"" +
                   (kind == Kind::Snapshot ? "snapshot=" + http.snapshotUrl(credentials)
                                           : "stream=" + rtspUrl(credentials, asked)) +
                   "\"";
        }
        qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(line));
        if (kind == Kind::UsbMjpeg || kind == Kind::UsbYuyv) {
            usb = std::make_unique<V4l2Rig>();
            makePtzCamera(usb->node("/dev/video0"), PtzKind::CurrentRelativeAndAbsolute);
            usb->node("/dev/video0").card = name;
            if (kind == Kind::UsbYuyv)
                usb->node("/dev/video0")
                    .camera->formats.erase(usb->node("/dev/video0").camera->formats.begin());
            device = usb->device.get();
        } else {
            if (kind == Kind::Sim)
                backend = std::make_unique<SimBackend>();
            else if (kind == Kind::Onvif)
                backend = std::make_unique<OnvifBackend>();
            else
                backend = std::make_unique<ViscaBackend>();
            owned = std::make_unique<TraceDevice>(backend->createDevice());
            device = owned.get();
        }
        device->SetChangeListener(&ChangeCounter::note, &listened);
    }
    ~Camera()
    {
        owned.reset();
        qunsetenv("CAMERACTRL_VISCA");
        rtsp.closeWriteChannel();
        rtsp.waitForFinished(3000);
    }
    std::string rtspUrl(const std::string &credentials, const std::string &asked)
    {
        rtsp.start(PTZ_RTSP_SERVER,
                   asked.empty() ? QStringList() : QStringList{"--user", asked.c_str()});
        rtsp.waitForReadyRead(10000);
        return "rtsp://" + (credentials.empty() ? "" : credentials + "@") +
               "127.0.0.1:" + rtsp.readLine().trimmed().toStdString() + "/view";
    }
    bool open()
    {
        if (usb)
            return usb->open();
        std::vector<DeviceInfo> all;
        backend->enumerate(all);
        QDeadlineTimer deadline(5000);
        if (!device->Open("0", 1))
            return false;
        while (!(device->Capabilities() & CAP_PRESETS) && !deadline.hasExpired())
            QTest::qWait(5);
        return device->Capabilities() & CAP_PRESETS;
    }
    // Points the camera at a place, and waits until it is there.
    void aim(int at)
    {
        switch (kind) {
        case Kind::Sim:
            device->SetPanTiltPosition(at * 300, at * 50, 0, 0);
            break;
        case Kind::UsbMjpeg:
        case Kind::UsbYuyv:
            device->SetPanTiltPosition(at * 30, at * 5, 0, 0);
            QTRY_COMPARE_WITH_TIMEOUT(qRound(usb->pan() / 3600), at * 30, 5000);
            break;
        case Kind::Onvif:
            device->SetPanPosition(at * 17);
            device->WaitUntilSent(3000);
            break;
        case Kind::Snapshot:
        case Kind::Stream:
            device->SetPanPosition(at * 400);
            if (kind == Kind::Stream)
                rtsp.write(QByteArray("pattern ") + QByteArray::number(at == 1 ? 0 : 18) + "\n");
            break;
        }
        place = at;
    }
    struct Shot
    {
        std::vector<uint8_t> jpeg;
        uint32_t version = 0;
        std::string problem;
    };
    Shot picture(int preset)
    {
        Shot shot;
        device->ReadPresetPicture(uint8_t(preset), &shot.jpeg, &shot.version, &shot.problem);
        return shot;
    }
    // Stores the preset (or takes its picture again) and waits until its picture, or why it
    // has none, is there.
    Shot store(int preset, bool again = false)
    {
        listened.changes = 0;
        if (!(again ? device->RetakePresetPicture(uint8_t(preset))
                    : device->SetPreset(uint8_t(preset))))
            return {};
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired() && !(listened.changes & CHANGED_PICTURE))
            QTest::qWait(10);
        return picture(preset);
    }
};

using Behave = std::function<void(OnvifEmulator::Behaviour &)>;

} // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Behave)

class tst_Pictures : public QObject
{
    Q_OBJECT

private slots:
    void presetsHavePictures_data();
    void presetsHavePictures();
    void anotherProgramStreams();
    void badInput_data();
    void badInput();
    void keptPictures();
};

void tst_Pictures::presetsHavePictures_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("simulated") << Kind::Sim;
    QTest::newRow("USB, MJPEG") << Kind::UsbMjpeg;
    QTest::newRow("USB, YUYV only") << Kind::UsbYuyv;
    QTest::newRow("ONVIF snapshot") << Kind::Onvif;
    QTest::newRow("VISCA with a snapshot URL") << Kind::Snapshot;
    QTest::newRow("VISCA with an RTSP stream") << Kind::Stream;
}

void tst_Pictures::presetsHavePictures()
{
    QFETCH(Kind, kind);
    Camera camera(kind);
    QVERIFY(camera.open());
    QVERIFY(camera.device->Capabilities() & CAP_PICTURE);
    QByteArray views[2];
    for (int preset : {1, 2}) {
        camera.aim(preset);
        const Camera::Shot shot = camera.store(preset);
        QVERIFY2(shot.version && shot.problem.empty(), shot.problem.c_str());
        QSize size;
        views[preset - 1] = coarse(shot.jpeg, size);
        QVERIFY2(size.width() >= 300 && size.width() <= 340,
                 qPrintable(QString::number(size.width())));
        QVERIFY(size.height() > 100);
    }
    QVERIFY(views[0] != views[1]);
    QVERIFY(camera.device->ClearPreset(1));
    QTRY_COMPARE(camera.picture(1).version, 0u);
    QVERIFY(camera.picture(2).version);

    // Live view: frames keep coming, numbered, while it is on.
    if (kind == Kind::Snapshot || !(camera.device->Capabilities() & CAP_LIVE_VIEW))
        return;
    QVERIFY(camera.device->StartLiveView());
    uint32_t first = 0, later = 0;
    std::vector<uint8_t> frame;
    QTRY_VERIFY_WITH_TIMEOUT(camera.device->LiveFrame(&frame, &first), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(camera.device->LiveFrame(&frame, &later) && later > first + 1, 10000);
    QVERIFY(camera.device->StopLiveView());
    QVERIFY(!camera.device->LiveFrame(&frame, &later));
}

void tst_Pictures::anotherProgramStreams()
{
    StderrCapture err;
    Camera camera(Kind::UsbMjpeg);
    QVERIFY(camera.open());
    // Another program streams the camera: its own format, buffers and frames.
    FakeV4l2Io &io = *camera.usb->fake;
    const int other = io.open("/dev/video0");
    v4l2_format format = {};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    format.fmt.pix = {640, 360, V4L2_PIX_FMT_YUYV, V4L2_FIELD_ANY, 0, 0, 0, 0, 0, 0, 0, 0};
    QCOMPARE(io.ioctl(other, VIDIOC_S_FMT, &format), 0);
    v4l2_requestbuffers request = {2, V4L2_BUF_TYPE_VIDEO_CAPTURE, V4L2_MEMORY_MMAP, 0, 0, {}};
    QCOMPARE(io.ioctl(other, VIDIOC_REQBUFS, &request), 0);
    for (uint32_t i = 0; i < 2; ++i) {
        v4l2_buffer b = {};
        b.index = i;
        b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        b.memory = V4L2_MEMORY_MMAP;
        QCOMPARE(io.ioctl(other, VIDIOC_QBUF, &b), 0);
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    QCOMPARE(io.ioctl(other, VIDIOC_STREAMON, &type), 0);
    FakeUvcCamera &fake = *camera.usb->node("/dev/video0").camera;

    for (int preset : {3, 4}) {
        const Camera::Shot shot = camera.store(preset);
        QCOMPARE(shot.version, 0u);
        QCOMPARE(shot.problem, std::string("another program is using the camera"));
    }
    QCOMPARE(err.text().count("another program is using the camera"), 1);
    QVERIFY(camera.device->StartLiveView());
    QTest::qWait(500);
    QVERIFY(!camera.device->LiveFrame(nullptr, nullptr));
    QVERIFY(camera.device->StopLiveView());
    // The other program never noticed.
    QCOMPARE(fake.streamer(), other);
    QCOMPARE(fake.currentFormat().pixelformat, uint32_t(V4L2_PIX_FMT_YUYV));
    QCOMPARE(fake.currentFormat().width, 640u);
    v4l2_buffer b = {};
    b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    b.memory = V4L2_MEMORY_MMAP;
    int dequeued = -EAGAIN;
    for (QDeadlineTimer t(5000); dequeued == -EAGAIN && !t.hasExpired(); QTest::qWait(10))
        dequeued = io.ioctl(other, VIDIOC_DQBUF, &b);
    QCOMPARE(dequeued, 0);
    QCOMPARE(b.bytesused, 640u * 360 * 2);

    // Once it is done, the camera is free for a picture again.
    io.close(other);
    QVERIFY(camera.device->RetakePresetPicture(3));
    QTRY_VERIFY_WITH_TIMEOUT(camera.picture(3).version, 10000);
    QCOMPARE(camera.picture(3).problem, std::string());
    QCOMPARE(fake.streamer(), -1);
}

void tst_Pictures::badInput_data()
{
    using Behaviour = OnvifEmulator::Behaviour;
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("credentials"); // in the URL
    QTest::addColumn<Behave>("change");
    QTest::addColumn<QString>("problem"); // "": the picture is there
    const Behave none = [](Behaviour &) {};
    const Behave signIn = [](Behaviour &b) {
        b.user = "viewer";
        b.password = "s3cr%t";
    };
    QTest::newRow("junk") << Kind::Snapshot << ""
                          << Behave([](Behaviour &b) { b.junk = OnvifEmulator::Junk::NotXml; })
                          << "not a JPEG picture";
    QTest::newRow("larger than 2 MiB")
        << Kind::Snapshot << "" << Behave([](Behaviour &b) { b.junk = OnvifEmulator::Junk::Huge; })
        << "a picture larger than 2 MiB";
    QTest::newRow("no answer") << Kind::Snapshot << ""
                               << Behave([](Behaviour &b) { b.silent = true; })
                               << "no picture within 3 s";
    QTest::newRow("no snapshot there")
        << Kind::Snapshot << "" << Behave([](Behaviour &b) { b.snapshot = nullptr; })
        << "the camera answers HTTP 404";
    QTest::newRow("password in the URL") << Kind::Snapshot << "viewer:s3cr%25t" << signIn << "";
    QTest::newRow("wrong password in the URL") << Kind::Snapshot << "viewer:s3cr%25t-not" << signIn
                                               << "the camera refuses the user name and password";
    QTest::newRow("password in the stream's URL") << Kind::Stream << "viewer:s3cr%t" << none << "";
    QTest::newRow("wrong password in the stream's URL")
        << Kind::Stream << "viewer:s3cr%t-not" << none << "Unauthorized";
    QTest::newRow("camera without a snapshot")
        << Kind::Onvif << "" << Behave([](Behaviour &b) { b.snapshot = nullptr; })
        << "the camera tells of no snapshot";
    QTest::newRow("USB frames that are no JPEG")
        << Kind::UsbMjpeg << "" << none << "not a JPEG picture";
    QTest::newRow("USB camera that sends no frame")
        << Kind::UsbYuyv << "" << none << "no picture within 3 s";
}

void tst_Pictures::badInput()
{
    QFETCH(Kind, kind);
    QFETCH(QString, credentials);
    QFETCH(Behave, change);
    QFETCH(QString, problem);
    TraceFile trace;
    StderrCapture err;
    Camera camera(kind, credentials.toStdString(), "viewer:s3cr%t");
    camera.http.change(change);
    if (camera.usb) {
        FakeUvcCamera &fake = *camera.usb->node("/dev/video0").camera;
        fake.junkFrames = true;
        fake.stalled = kind == Kind::UsbYuyv;
    }
    QVERIFY(camera.open());
    QVERIFY(camera.device->SetPreset(5));
    // The camera's own work goes on while its picture is taken.
    QVERIFY(camera.device->PanRight(3) && camera.device->PanRightStop());
    QVERIFY(camera.device->WaitUntilSent(2000));
    QTRY_VERIFY_WITH_TIMEOUT(camera.listened.changes & CHANGED_PICTURE, 15000);
    const Camera::Shot shot = camera.picture(5);
    QVERIFY2(QString::fromStdString(shot.problem).contains(problem), shot.problem.c_str());
    QCOMPARE(shot.version != 0, problem.isEmpty());
    if (!problem.isEmpty()) {
        QCOMPARE(err.text().count(problem), 1);
        camera.store(5, true); // a camera that said it has none is not asked again
        QCOMPARE(camera.picture(5).version, 0u);
        QCOMPARE(err.text().count(problem), 1);
    }
    // No password, no URL: not in the trace, not on stderr, not in the problem.
    const QString everything = trace.lines().join('\n') + err.text() + shot.problem.c_str();
    for (const char *secret : {"s3cr", "snapshot.jpg", "/view"})
        QVERIFY2(!everything.contains(secret), qPrintable(everything));
}

void tst_Pictures::keptPictures()
{
    StderrCapture err;
    Camera camera(Kind::Sim);
    QVERIFY(camera.open());
    camera.aim(1);
    const Camera::Shot taken = camera.store(7);
    QVERIFY(taken.version);
    // Imported: a JPEG of any size up to 2 MiB; a small one is kept as it is.
    QVERIFY(camera.device->WritePresetPicture(8, taken.jpeg));
    QCOMPARE(camera.picture(8).jpeg, taken.jpeg);
    QCOMPARE(camera.picture(8).version, taken.version);
    std::vector<uint8_t> large;
    std::string error;
    JpegModule::codec(error)->encode(SimView::draw(0, 0, 0, 1920, 1080), 95, large, error);
    QVERIFY(camera.device->WritePresetPicture(9, large));
    QSize size;
    coarse(camera.picture(9).jpeg, size);
    QCOMPARE(size, QSize(320, 180));
    std::vector<uint8_t> cut(taken.jpeg.begin(), taken.jpeg.end() - 20);
    std::vector<uint8_t> huge(2 * 1024 * 1024 + 1, 0xff);
    for (const auto &bad : {cut, huge, std::vector<uint8_t>{'G', 'I', 'F', '8'}})
        QVERIFY(!camera.device->WritePresetPicture(9, bad));
    QVERIFY(camera.picture(9).version); // what was kept stays
    QVERIFY(camera.device->WritePresetPicture(9, {}));
    QCOMPARE(camera.picture(9).version, 0u);

    // A stored picture damaged behind the panel's back is dropped, and said once.
    const QString pictures = qEnvironmentVariable("XDG_CONFIG_HOME") + "/ptz-panel/pictures/";
    QFile file(pictures + QDir(pictures).entryList({"sim-*"}, QDir::Dirs).value(0) + "/7.jpg");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(cut.data()), qint64(cut.size()));
    file.close();
    QCOMPARE(camera.picture(7).version, 0u);
    QCOMPARE(camera.picture(7).version, 0u);
    QVERIFY(!file.exists());
    QCOMPARE(err.text().count("no whole picture"), 1);
}

QTEST_GUILESS_MAIN(tst_Pictures)
#include "tst_pictures.moc"
