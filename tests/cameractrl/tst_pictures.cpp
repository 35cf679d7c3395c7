// SPDX-License-Identifier: GPL-2.0-or-later
// Presets' pictures on every kind of camera: the simulated one, a USB camera (the kernel
// driver's fake, MJPEG and YUYV, and one another program streams), an ONVIF camera's own
// snapshot, a VISCA camera's snapshot URL and RTSP stream (GStreamer's RTSP server on
// 127.0.0.1). Two presets at two places get two pictures; a camera that answers badly gets
// none, said once; a password in a URL shows nowhere.
#include "JpegModule.h"
#include "PictureRig.h"
#include "SimView.h"
#include "StderrCapture.h"
#include "TraceFile.h"

#include <QtTest>

#include <linux/videodev2.h>

namespace {

using Kind = PictureRig::Kind;

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
    QTest::newRow("simulated") << PictureRig::Sim;
    QTest::newRow("USB, MJPEG") << PictureRig::UsbMjpeg;
    QTest::newRow("USB, YUYV only") << PictureRig::UsbYuyv;
    QTest::newRow("ONVIF snapshot") << PictureRig::Onvif;
    QTest::newRow("VISCA with a snapshot URL") << PictureRig::Snapshot;
    QTest::newRow("VISCA with an RTSP stream") << PictureRig::Stream;
}

void tst_Pictures::presetsHavePictures()
{
    QFETCH(Kind, kind);
    PictureRig camera(kind);
    QVERIFY(camera.open());
    QVERIFY(camera.device->Capabilities() & CAP_PICTURE);
    QByteArray views[2];
    for (int preset : {1, 2}) {
        camera.aim(preset);
        const PictureRig::Shot shot = camera.store(preset);
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
    if (kind == PictureRig::Snapshot || !(camera.device->Capabilities() & CAP_LIVE_VIEW))
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
    PictureRig camera(PictureRig::UsbMjpeg);
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
        const PictureRig::Shot shot = camera.store(preset);
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
    QTest::newRow("junk") << PictureRig::Snapshot << ""
                          << Behave([](Behaviour &b) { b.junk = OnvifEmulator::Junk::NotXml; })
                          << "not a JPEG picture";
    QTest::newRow("larger than 2 MiB") << PictureRig::Snapshot << "" << Behave([](Behaviour &b) {
        b.junk = OnvifEmulator::Junk::Huge;
    }) << "a picture larger than 2 MiB";
    QTest::newRow("no answer") << PictureRig::Snapshot << ""
                               << Behave([](Behaviour &b) { b.silent = true; })
                               << "no picture within 3 s";
    QTest::newRow("no snapshot there")
        << PictureRig::Snapshot << "" << Behave([](Behaviour &b) { b.snapshot = nullptr; })
        << "the camera answers HTTP 404";
    QTest::newRow("password in the URL")
        << PictureRig::Snapshot << "viewer:s3cr%25t" << signIn << "";
    QTest::newRow("wrong password in the URL")
        << PictureRig::Snapshot << "viewer:s3cr%25t-not" << signIn
        << "the camera refuses the user name and password";
    QTest::newRow("password in the stream's URL")
        << PictureRig::Stream << "viewer:s3cr%t" << none << "";
    QTest::newRow("wrong password in the stream's URL")
        << PictureRig::Stream << "viewer:s3cr%t-not" << none << "Unauthorized";
    QTest::newRow("camera without a snapshot")
        << PictureRig::Onvif << "" << Behave([](Behaviour &b) { b.snapshot = nullptr; })
        << "the camera tells of no snapshot";
    QTest::newRow("USB frames that are no JPEG")
        << PictureRig::UsbMjpeg << "" << none << "not a JPEG picture";
    QTest::newRow("USB camera that sends no frame")
        << PictureRig::UsbYuyv << "" << none << "no picture within 3 s";
}

void tst_Pictures::badInput()
{
    QFETCH(Kind, kind);
    QFETCH(QString, credentials);
    QFETCH(Behave, change);
    QFETCH(QString, problem);
    TraceFile trace;
    StderrCapture err;
    PictureRig camera(kind, credentials.toStdString(), "viewer:s3cr%t");
    camera.http.change(change);
    if (camera.usb) {
        FakeUvcCamera &fake = *camera.usb->node("/dev/video0").camera;
        fake.junkFrames = true;
        fake.stalled = kind == PictureRig::UsbYuyv;
    }
    QVERIFY(camera.open());
    QVERIFY(camera.device->SetPreset(5));
    // The camera's own work goes on while its picture is taken.
    QVERIFY(camera.device->PanRight(3) && camera.device->PanRightStop());
    QVERIFY(camera.device->WaitUntilSent(2000));
    QTRY_VERIFY_WITH_TIMEOUT(camera.listened.changes & CHANGED_PICTURE, 15000);
    const PictureRig::Shot shot = camera.picture(5);
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
    PictureRig camera(PictureRig::Sim);
    QVERIFY(camera.open());
    camera.aim(1);
    const PictureRig::Shot taken = camera.store(7);
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
