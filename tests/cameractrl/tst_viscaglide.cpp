// SPDX-License-Identifier: GPL-2.0-or-later
// A glide on a VISCA camera, as the bytes on the wire show it: the camera's own preset speed
// where it takes it, and otherwise absolute steps with speed bytes that let each step end
// before the next, arriving on the position the panel kept with the preset.
#include "PresetGlide.h"
#include "ViscaBackend.h"
#include "ViscaEmulator.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

using Bytes = ViscaEmulator::Bytes;

Bytes hex(const char *text)
{
    Bytes out;
    for (const QByteArray &b : QByteArray(text).split(' '))
        out.push_back(uint8_t(b.toUInt(nullptr, 16)));
    return out;
}

bool startsWith(const Bytes &message, const Bytes &prefix)
{
    return message.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), message.begin());
}

int nibbles(const Bytes &m, size_t at)
{
    int value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 4 | (m[at + i] & 0x0f);
    return int16_t(value);
}

struct Rig
{
    ViscaEmulator camera;
    std::unique_ptr<ViscaBackend> backend;
    std::unique_ptr<BaseDevice> device;

    Rig()
    {
        qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(camera.line("Stage", true)));
        backend = std::make_unique<ViscaBackend>();
        device = backend->createDevice();
    }
    bool open()
    {
        if (!device->Open("0", 1))
            return false;
        QDeadlineTimer deadline(2000);
        while (device->Capabilities() == 0 && !deadline.hasExpired())
            QTest::qWait(5);
        camera.clearReceived();
        return device->Capabilities() != 0;
    }
    // Preset 3 stored at pan 500, tilt -100, zoom 0x800; the camera back at the start.
    bool storeAndReturn()
    {
        if (!device->SetPanTiltPosition(500, -100, 0, 0) || !device->SetZoomPosition(0x800) ||
            !device->WaitUntilSent(2000) || !device->SetPreset(3) ||
            !device->SetPanTiltPosition(0, 0, 0, 0) || !device->SetZoomPosition(0) ||
            !device->WaitUntilSent(2000))
            return false;
        camera.clearReceived();
        return true;
    }
};

} // namespace

class tst_ViscaGlide : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cameraMovesAtItsOwnPresetSpeed();
    void refusedSpeedFallsBackToSteps();
    void durationIsStepped();
    void unknownZoomStillArrives();

private:
    QTemporaryDir config;
};

void tst_ViscaGlide::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
}

void tst_ViscaGlide::cameraMovesAtItsOwnPresetSpeed()
{
    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.device->Capabilities() & CAP_PRESET_SPEED);
    PresetGlide glide(rig.device.get());
    // Speed 4 of 8 is half the camera's fastest, 12 of 24; a preset the panel never stored
    // is the camera's to know.
    QCOMPARE(glide.start(7, 4, 0), PresetGlide::Start::Recalled);
    QVERIFY(rig.device->WaitUntilSent(2000));
    QCOMPARE(rig.camera.commands(),
             (std::vector<Bytes>{hex("81 01 7e 01 0b 07 0c ff"), hex("81 01 04 3f 02 07 ff")}));
    QVERIFY(!glide.isGliding());
}

void tst_ViscaGlide::refusedSpeedFallsBackToSteps()
{
    Rig rig;
    rig.camera.change([](auto &c) { c.refusals.emplace_back(hex("81 01 7e 01 0b"), 0x02); });
    QVERIFY(rig.open());
    QVERIFY(rig.storeAndReturn());
    PresetGlide glide(rig.device.get());
    // The first recall still reaches the preset, at the camera's own speed.
    QCOMPARE(glide.start(3, 8, 0), PresetGlide::Start::Recalled);
    QVERIFY(rig.device->WaitUntilSent(2000));
    QCOMPARE(rig.camera.commands().back(), hex("81 01 04 3f 02 03 ff"));
    QTRY_VERIFY(!(rig.device->Capabilities() & CAP_PRESET_SPEED));
    QVERIFY(rig.device->CallPreset(3) && rig.device->SetPanTiltPosition(0, 0, 0, 0) &&
            rig.device->SetZoomPosition(0) && rig.device->WaitUntilSent(2000));
    rig.camera.clearReceived();
    // The next one the panel steps, from what it kept with the preset.
    QSignalSpy arrived(&glide, &PresetGlide::arrived);
    QCOMPARE(glide.start(3, 8, 0), PresetGlide::Start::Gliding);
    QVERIFY(arrived.wait(5000));
    QVERIFY(rig.device->WaitUntilSent(2000));
    const auto sent = rig.camera.commands();
    QVERIFY(!sent.empty());
    QCOMPARE(sent.front().size(), size_t(15));
    QVERIFY(startsWith(sent.front(), hex("81 01 06 02")));
    QVERIFY(std::none_of(sent.begin(), sent.end(),
                         [](const Bytes &m) { return startsWith(m, hex("81 01 04 3f 02")); }));
}

void tst_ViscaGlide::durationIsStepped()
{
    // Over a time even a camera with its own preset speed is stepped: it has no time to take.
    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.storeAndReturn());
    PresetGlide glide(rig.device.get());
    QSignalSpy arrived(&glide, &PresetGlide::arrived);
    QCOMPARE(glide.start(3, 0, 0.5), PresetGlide::Start::Gliding);
    QCOMPARE(glide.stepCount(), 10);
    QVERIFY(arrived.wait(5000));
    QVERIFY(rig.device->WaitUntilSent(2000));
    int pan = 0, tilt = 0, zoom = 0, moves = 0;
    for (const Bytes &m : rig.camera.commands()) {
        if (startsWith(m, hex("81 01 06 02")) && m.size() == 15) {
            const int nextPan = nibbles(m, 6), nextTilt = nibbles(m, 10);
            QVERIFY2(nextPan >= pan && nextTilt <= tilt, "an axis turned back");
            // Fast enough to end each step within a twentieth of a second, never the fastest
            // for a step shorter than the camera's longest.
            QVERIFY(m[4] >= 1 && m[4] <= 0x18 && m[5] >= 1 && m[5] <= 0x14);
            pan = nextPan;
            tilt = nextTilt;
            ++moves;
        } else if (startsWith(m, hex("81 01 04 47")) && m.size() == 9) {
            const int nextZoom = nibbles(m, 4);
            QVERIFY(nextZoom >= zoom);
            zoom = nextZoom;
        } else {
            QFAIL("only steps go out");
        }
    }
    QVERIFY2(moves >= 5 && moves <= 10, qPrintable(QString::number(moves)));
    QCOMPARE((QList<int>{pan, tilt, zoom}), (QList<int>{500, -100, 0x800}));
}

void tst_ViscaGlide::unknownZoomStillArrives()
{
    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.storeAndReturn());
    // A zoom by the lever, and a camera that will not say where it stopped.
    rig.camera.change([](auto &c) { c.refusals.emplace_back(hex("81 09 04 47"), 0x02); });
    QVERIFY(rig.device->ZoomIn(2) && rig.device->WaitUntilSent(2000));
    QVERIFY(rig.device->ZoomStop() && rig.device->WaitUntilSent(2000));
    int32_t zoom = 0;
    QVERIFY(!rig.device->GetZoomPosition(&zoom));
    rig.camera.clearReceived();
    PresetGlide glide(rig.device.get());
    QSignalSpy arrived(&glide, &PresetGlide::arrived);
    QCOMPARE(glide.start(3, 0, 0.5), PresetGlide::Start::Gliding);
    QVERIFY(arrived.wait(5000));
    QVERIFY(rig.device->WaitUntilSent(2000));
    std::vector<int> zooms;
    for (const Bytes &m : rig.camera.commands())
        if (startsWith(m, hex("81 01 04 47")) && m.size() == 9)
            zooms.push_back(nibbles(m, 4));
    QVERIFY(!zooms.empty());
    QCOMPARE(zooms.back(), 0x800);
}

QTEST_MAIN(tst_ViscaGlide)
#include "tst_viscaglide.moc"
