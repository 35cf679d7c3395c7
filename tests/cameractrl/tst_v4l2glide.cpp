// SPDX-License-Identifier: GPL-2.0-or-later
// What a glide needs of a UVC camera, against the fake of the kernel's driver: pan and tilt
// as one request, absolute zoom, presets as the library keeps them (in whole degrees, with
// their names and speeds), and a whole glide arriving on the preset.
#include "PresetGlide.h"
#include "V4l2Rig.h"

#include <linux/videodev2.h>

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int ArcSecondsPerDegree = 3600;

} // namespace

class tst_V4l2Glide : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void capabilities_data();
    void capabilities();
    void panTiltAsOneRequestAndZoom();
    void presetsKeepNameAndSpeed();
    void glideArrivesOnThePreset();

private:
    QTemporaryDir config;
};

void tst_V4l2Glide::init()
{
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QDir(config.filePath("ptz-panel")).removeRecursively();
}

void tst_V4l2Glide::capabilities_data()
{
    QTest::addColumn<PtzKind>("kind");
    QTest::addColumn<bool>("absolute");
    QTest::newRow("6.1, absolute only") << PtzKind::Linux61AbsoluteOnly << true;
    QTest::newRow("relative only") << PtzKind::CurrentRelativeOnly << false;
}

void tst_V4l2Glide::capabilities()
{
    QFETCH(PtzKind, kind);
    QFETCH(bool, absolute);
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), kind);
    QVERIFY(rig.open());
    const uint want = CAP_ZOOM_POSITION | CAP_PAN_TILT_MOVE;
    QCOMPARE(rig.device->Capabilities() & (want | CAP_PRESET_SPEED), absolute ? want : 0u);
    QCOMPARE(rig.device->parameters[PARAM_ZOOM_POSITION].available, absolute ? 1 : 0);
    int32_t zoom = -1;
    QCOMPARE(rig.device->GetZoomPosition(&zoom), absolute);
    QCOMPARE(rig.device->SetPanTiltPosition(10, 5, 0, 0), absolute);
    QVERIFY(!rig.device->CallPresetAtSpeed(1, 12)); // UVC has no presets of its own
}

void tst_V4l2Glide::panTiltAsOneRequestAndZoom()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    const ParameterRecord &zoomRange = rig.device->parameters[PARAM_ZOOM_POSITION];
    QCOMPARE(QPoint(zoomRange.minimum, zoomRange.maximum),
             QPoint(FakeUvcCamera::ZoomMin, FakeUvcCamera::ZoomMax));
    const size_t before = rig.commits().size();
    QVERIFY(rig.device->SetPanTiltPosition(20, -5, 3, 2));
    QVERIFY(rig.device->SetZoomPosition(300));
    QVERIFY(rig.device->WaitUntilSent(5000));
    const auto commits = rig.commits();
    QVERIFY(commits.size() > before);
    // Alone, either half would stop the other short.
    const std::pair<uint32_t, int32_t> panned{V4L2_CID_PAN_ABSOLUTE, 20 * ArcSecondsPerDegree},
        tilted{V4L2_CID_TILT_ABSOLUTE, -5 * ArcSecondsPerDegree};
    QVERIFY(std::count(commits[before].begin(), commits[before].end(), panned) == 1 &&
            std::count(commits[before].begin(), commits[before].end(), tilted) == 1);
    const size_t sent = commits.size();
    QTRY_COMPARE(rig.zoom(), 300.0);
    int32_t zoom = 0;
    QVERIFY(rig.device->GetZoomPosition(&zoom));
    QCOMPARE(zoom, 300);
    // Beyond its reach nothing is sent.
    QVERIFY(!rig.device->SetZoomPosition(FakeUvcCamera::ZoomMax + 1));
    QVERIFY(!rig.device->SetPanTiltPosition(20, 1000, 0, 0));
    QVERIFY(rig.device->WaitUntilSent(5000));
    QCOMPARE(rig.commits().size(), sent);
    int32_t pan = 0, tilt = 0, zoomRate = 0;
    QVERIFY(rig.device->FastestMotion(&pan, &tilt, &zoomRate));
    QCOMPARE(QPoint(pan, tilt), QPoint(60, 40)); // degrees a second at the fastest speeds
    QVERIFY(zoomRate > 0);
}

void tst_V4l2Glide::presetsKeepNameAndSpeed()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    QVERIFY(rig.device->SetPanTiltPosition(29, 18, 0, 0));
    QVERIFY(rig.device->SetZoomPosition(200));
    QTRY_VERIFY(std::abs(rig.pan() - 29 * ArcSecondsPerDegree) < 1 && rig.zoom() == 200);
    QVERIFY(rig.device->SetPreset(3));
    QVERIFY(rig.device->WaitUntilSent(5000));
    PresetRecord kept;
    QVERIFY(rig.device->ReadPreset(3, &kept));
    QCOMPARE(kept.stored, 1);
    QCOMPARE(kept.known, PRESET_PAN | PRESET_TILT | PRESET_ZOOM);
    QCOMPARE((QList<int>{kept.pan, kept.tilt, kept.zoom}), (QList<int>{29, 18, 200}));

    std::strcpy(kept.name, "Pulpit");
    kept.speed = 2;
    QVERIFY(rig.device->WritePreset(3, &kept));
    // Stored again elsewhere, it keeps its name and speed.
    QVERIFY(rig.device->SetPanTiltPosition(-10, 0, 0, 0));
    QTRY_VERIFY(std::abs(rig.pan() + 10 * ArcSecondsPerDegree) < 1);
    QVERIFY(rig.device->SetPreset(3));
    QVERIFY(rig.device->WaitUntilSent(5000));
    PresetRecord again;
    QVERIFY(rig.device->ReadPreset(3, &again));
    QCOMPARE(QString(again.name), QString("Pulpit"));
    QCOMPARE(again.speed, 2);
    QCOMPARE(again.pan, -10);

    // A name for a preset never stored leaves it not stored, and not recalled.
    PresetRecord named;
    std::strcpy(named.name, "Choir");
    QVERIFY(rig.device->WritePreset(4, &named));
    QVERIFY(rig.device->ReadPreset(4, &named));
    QCOMPARE(named.stored, 0);
    QVERIFY(!rig.device->CallPreset(4));
    QVERIFY(rig.device->ClearPreset(3));
    QVERIFY(rig.device->ReadPreset(3, &again));
    QCOMPARE(again.stored, 0);
    QCOMPARE(QString(again.name), QString());
}

void tst_V4l2Glide::glideArrivesOnThePreset()
{
    V4l2Rig rig;
    makePtzCamera(rig.node("/dev/video0"), PtzKind::Linux61AbsoluteOnly);
    QVERIFY(rig.open());
    QVERIFY(rig.device->SetPanTiltPosition(30, 10, 0, 0) && rig.device->SetZoomPosition(200));
    QTRY_VERIFY(std::abs(rig.pan() - 30 * ArcSecondsPerDegree) < 1 && rig.zoom() == 200);
    QVERIFY(rig.device->SetPreset(1));
    QVERIFY(rig.device->SetPanTiltPosition(0, 0, 0, 0) && rig.device->SetZoomPosition(100));
    QTRY_VERIFY(std::abs(rig.pan()) < 1 && std::abs(rig.tilt()) < 1 && rig.zoom() == 100);
    const size_t before = rig.commits().size();

    PresetGlide glide(rig.device.get());
    QSignalSpy arrived(&glide, &PresetGlide::arrived);
    QCOMPARE(glide.start(1, 0, 1.0), PresetGlide::Start::Gliding);
    QCOMPARE(glide.stepCount(), 20);
    QVERIFY(arrived.wait(5000));
    QTRY_VERIFY(std::abs(rig.pan() - 30 * ArcSecondsPerDegree) < 1 &&
                std::abs(rig.tilt() - 10 * ArcSecondsPerDegree) < 1 && rig.zoom() == 200);
    // Each step went out as it was sent, pan never turning back; a newer step may replace
    // one the camera had not taken yet.
    int32_t was = 0;
    int panSteps = 0;
    const auto commits = rig.commits();
    for (size_t i = before; i < commits.size(); ++i)
        for (const auto &[id, value] : commits[i])
            if (id == V4L2_CID_PAN_ABSOLUTE) {
                QVERIFY(value >= was);
                was = value;
                ++panSteps;
            }
    QVERIFY2(panSteps >= 10 && panSteps <= 20, qPrintable(QString::number(panSteps)));
}

QTEST_MAIN(tst_V4l2Glide)
#include "tst_v4l2glide.moc"
