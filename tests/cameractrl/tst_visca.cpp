// SPDX-License-Identifier: GPL-2.0-or-later
// VISCA cameras, against a camera emulator on 127.0.0.1 over UDP and TCP and on a serial line
// (a pseudo-terminal): the
// bytes of each operation, one request at a time with a stop first and drives coalesced,
// refusals that grey a key or a control, busy cameras, time-outs, a camera that goes and comes
// back (switched off and on by itself), slow answers, garbage on the wire, and the
// configuration the user writes.
#include "NetworkCameras.h"
#include "StderrCapture.h"
#include "V4l2Rig.h"
#include "ViscaBackend.h"
#include "ViscaDiscovery.h"
#include "ViscaEmulator.h"

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

// A device of a backend that knows only the emulator's camera, opened and read.
struct Rig
{
    ViscaEmulator camera;
    std::unique_ptr<ViscaBackend> backend;
    std::unique_ptr<BaseDevice> device;
    ChangeCounter listened;

    std::vector<ViscaEmulator::Received> opening; // what was sent while opening

    // `wire`: udp, tcp or serial.
    Rig(const std::string &name, const QString &wire)
    {
        const std::string line =
            wire == "serial" ? camera.serialLine(name) : camera.line(name, wire == "udp");
        qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(line));
        backend = std::make_unique<ViscaBackend>();
        device = backend->createDevice();
        device->SetChangeListener(&ChangeCounter::note, &listened);
    }
    bool open()
    {
        if (!device->Open("0", 1))
            return false;
        QDeadlineTimer deadline(2000);
        while (device->Capabilities() == 0 && !deadline.hasExpired())
            QTest::qWait(5);
        opening = camera.received();
        camera.clearReceived();
        return device->Capabilities() != 0;
    }
    size_t count(const Bytes &command)
    {
        const auto all = camera.commands();
        return size_t(std::count(all.begin(), all.end(), command));
    }
};

// Calls the operation named as in the trace ("PanLeft 24").
bool perform(BaseDevice &d, const QString &call)
{
    using Call = std::function<bool(BaseDevice &, int)>;
    static const std::map<QString, Call> calls = {
        {"PanLeft", [](BaseDevice &d, int n) { return d.PanLeft(n); }},
        {"PanRight", [](BaseDevice &d, int n) { return d.PanRight(n); }},
        {"TiltUp", [](BaseDevice &d, int n) { return d.TiltUp(n); }},
        {"TiltDown", [](BaseDevice &d, int n) { return d.TiltDown(n); }},
        {"PanLeftStop", [](BaseDevice &d, int) { return d.PanLeftStop(); }},
        {"ZoomIn", [](BaseDevice &d, int n) { return d.ZoomIn(n); }},
        {"ZoomOut", [](BaseDevice &d, int n) { return d.ZoomOut(n); }},
        {"ZoomStop", [](BaseDevice &d, int) { return d.ZoomStop(); }},
        {"Home", [](BaseDevice &d, int) { return d.Home(); }},
        {"PtzReset", [](BaseDevice &d, int) { return d.PtzReset(); }},
        {"SetPreset", [](BaseDevice &d, int n) { return d.SetPreset(uint8_t(n)); }},
        {"CallPreset", [](BaseDevice &d, int n) { return d.CallPreset(uint8_t(n)); }},
        {"ClearPreset", [](BaseDevice &d, int n) { return d.ClearPreset(uint8_t(n)); }},
        {"FlipOn", [](BaseDevice &d, int) { return d.FlipOn(); }},
        {"MirrorOff", [](BaseDevice &d, int) { return d.MirrorOff(); }},
        {"NightMode", [](BaseDevice &d, int) { return d.NightMode(); }},
        {"IrOn", [](BaseDevice &d, int) { return d.IrOn(); }},
        {"MenuOn", [](BaseDevice &d, int) { return d.MenuOn(); }},
        {"MenuOff", [](BaseDevice &d, int) { return d.MenuOff(); }},
        {"SetBrightness", [](BaseDevice &d, int n) { return d.SetBrightness(n); }},
        {"SetHue", [](BaseDevice &d, int n) { return d.SetHue(n); }},
        {"SetContrast", [](BaseDevice &d, int n) { return d.SetContrast(n); }},
        {"SetGamma", [](BaseDevice &d, int n) { return d.SetGamma(n); }},
        {"SetBacklight", [](BaseDevice &d, int n) { return d.SetBacklight(n); }},
        {"SetWhiteBalance", [](BaseDevice &d, int n) { return d.SetWhiteBalance(n); }},
        {"SetWhiteBalanceAuto", [](BaseDevice &d, int n) { return d.SetWhiteBalanceAuto(n); }},
        {"SetPanPosition", [](BaseDevice &d, int n) { return d.SetPanPosition(n); }},
        {"SetTiltPosition", [](BaseDevice &d, int n) { return d.SetTiltPosition(n); }},
        {"AutoFocus", [](BaseDevice &d, int) { return d.AutoFocus(); }},
        {"ManualFocus", [](BaseDevice &d, int) { return d.ManualFocus(); }},
    };
    const QStringList words = call.split(' ');
    const auto found = calls.find(words[0]);
    return found != calls.end() && found->second(d, words.value(1).toInt());
}

} // namespace

class tst_Visca : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void operations_data();
    void operations();
    void withoutACameraOpen_data();
    void withoutACameraOpen();
    void readsTheCamera();
    void zoomPositionFollowsTheLens();
    void oneAtATimeStopFirstDrivesCoalesce();
    void userGoesAheadOfTheReading();
    void positionsInRangeAsOneMove_data();
    void positionsInRangeAsOneMove();
    void heldPanLetsAStopGoFirst();
    void panelsOwnMenuOffIsNeverSaid_data();
    void panelsOwnMenuOffIsNeverSaid();
    void refusalGreysTheKey_data();
    void refusalGreysTheKey();
    void busyCameraIsAskedAgain();
    void goneAndBack_data();
    void goneAndBack();
    void switchedOffAndOn_data();
    void switchedOffAndOn();
    void slowAnswers();
    void whatItDoesNotOffer_data();
    void whatItDoesNotOffer();
    void garbageOnTheWire_data();
    void garbageOnTheWire();
    void discovery_data();
    void discovery();
    void configuration_data();
    void configuration();
    void addAndRemoveCameras();

private:
    QTemporaryDir config;
};

void tst_Visca::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
}

void tst_Visca::operations_data()
{
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QString>("calls"); // ";" between calls
    QTest::addColumn<QString>("sent");  // the commands on the wire, ";" between them
    const std::pair<const char *, const char *> rows[] = {
        {"PanLeft 24", "81 01 06 01 18 01 01 03 ff"},
        {"TiltUp 8;TiltDown 16", "81 01 06 01 01 0a 03 01 ff;81 01 06 01 01 14 03 02 ff"},
        {"PanRight 1;PanLeftStop", "81 01 06 01 01 01 02 03 ff;81 01 06 01 01 01 03 03 ff"},
        {"ZoomIn 7;ZoomOut 1;ZoomStop", "81 01 04 07 27 ff;81 01 04 07 30 ff;81 01 04 07 00 ff"},
        {"Home", "81 01 06 04 ff"},
        {"PtzReset", "81 01 06 05 ff;81 01 04 47 00 00 00 00 ff"},
        {"SetPreset 200;CallPreset 3;ClearPreset 0",
         "81 01 04 3f 01 c8 ff;81 01 04 3f 02 03 ff;81 01 04 3f 00 00 ff"},
        {"FlipOn;MirrorOff", "81 01 04 66 02 ff;81 01 04 61 03 ff"},
        {"NightMode;IrOn;MenuOn", "81 01 04 01 02 ff;81 01 04 51 02 ff;81 01 06 06 02 ff"},
        {"SetBrightness 9;SetGamma 3;SetBacklight 1",
         "81 01 04 a1 00 00 00 09 ff;81 01 04 5b 03 ff;81 01 04 33 02 ff"},
        {"SetWhiteBalanceAuto 1;SetWhiteBalance 33", // a temperature: manual first
         "81 01 04 35 00 ff;81 01 04 35 05 ff;81 01 04 20 02 01 ff"},
        {"SetPanPosition -100;SetTiltPosition 50", // each sent with the other axis
         "81 01 06 02 18 14 0f 0f 09 0c 00 00 00 00 ff;"
         "81 01 06 02 18 14 0f 0f 09 0c 00 00 03 02 ff"},
    };
    for (const char *wire : {"udp", "tcp", "serial"})
        for (const auto &[calls, sent] : rows)
            QTest::addRow("%s %s", wire, calls) << wire << calls << sent;
}

void tst_Visca::operations()
{
    QFETCH(QString, wire);
    QFETCH(QString, calls);
    QFETCH(QString, sent);
    Rig rig("Stage", wire);
    QVERIFY(rig.open());
    if (wire == "serial") // the camera is given its address before anything else
        QCOMPARE(rig.opening.front().message, hex("88 30 01 ff"));
    for (const QString &call : calls.split(';')) {
        QVERIFY2(perform(*rig.device, call), qPrintable(call));
        QVERIFY(rig.device->WaitUntilSent(2000)); // one by one, none coalesced away
    }
    std::vector<Bytes> expected;
    for (const QString &s : sent.split(';'))
        expected.push_back(hex(s.toLatin1().constData()));
    QCOMPARE(rig.camera.commands(), expected);
    QCOMPARE(rig.camera.overlaps(), 0);
    if (wire != "udp")
        return;
    // Over UDP every message carries the next sequence number.
    const auto received = rig.camera.received();
    for (size_t i = 1; i < received.size(); ++i)
        QCOMPARE(received[i].sequence, received[i - 1].sequence + 1);
}

void tst_Visca::withoutACameraOpen_data()
{
    QTest::addColumn<bool>("closed"); // opened and closed again, else never opened
    QTest::newRow("never opened") << false;
    QTest::newRow("closed") << true;
}

void tst_Visca::withoutACameraOpen()
{
    QFETCH(bool, closed);
    Rig rig("Stage", "udp");
    if (closed) {
        QVERIFY(rig.open());
        QVERIFY(rig.device->Close());
        QTest::qWait(50);
        rig.camera.clearReceived();
    }
    // Focus needs no capability, so nothing else stood between it and the missing camera.
    for (const char *call : {"AutoFocus", "ManualFocus", "PanLeft 3", "ZoomStop", "Home",
                             "SetBrightness 3", "SetPanPosition 10", "MenuOn"})
        QVERIFY2(!perform(*rig.device, call), call);
    QTest::qWait(50);
    QVERIFY(rig.camera.commands().empty());
}

void tst_Visca::readsTheCamera()
{
    Rig rig("Lectern", "udp");
    rig.camera.change([](auto &c) {
        std::tie(c.pan, c.tilt) = std::pair(-100, 50);
        c.image[0xa1] = 9;
        c.refusals.emplace_back(hex("81 09 04 4f"), 0x41); // no hue
    });
    QVERIFY(rig.open());
    QVERIFY(rig.device->ReadParameters());
    const ParameterRecord &brightness = rig.device->parameters[PARAM_BRIGHTNESS];
    QCOMPARE(brightness.currentValue, 9);
    QCOMPARE(brightness.available, 1);
    QCOMPARE(rig.device->parameters[PARAM_HUE].available, 0);
    QCOMPARE(rig.device->parameters[PARAM_WHITE_BALANCE_AUTO].currentValue, 1);
    StderrCapture err;
    QVERIFY(!rig.device->SetHue(3));
    QVERIFY(err.text().contains("Lectern offers no hue"));
    int32_t pan = 0, tilt = 0;
    QVERIFY(rig.device->GetPanPosition(&pan) && rig.device->GetTiltPosition(&tilt));
    QCOMPARE(pan, -100);
    QCOMPARE(tilt, 50);
    QVERIFY(rig.device->Capabilities() & CAP_POSITION);
    QVERIFY(!(rig.device->Capabilities() & CAP_FLICKER));
}

void tst_Visca::zoomPositionFollowsTheLens()
{
    Rig rig("Choir", "udp");
    QVERIFY(rig.open());
    int32_t zoom = -1;
    QVERIFY(rig.device->GetZoomPosition(&zoom));
    QCOMPARE(zoom, 0);

    // Driven, the lens is nowhere the panel knows; stopped, it is where the camera says.
    QVERIFY(rig.device->ZoomIn(3));
    QVERIFY(rig.device->WaitUntilSent(2000));
    QVERIFY(!rig.device->GetZoomPosition(&zoom));
    rig.camera.change([](auto &c) { c.zoom = 0x1234; });
    QVERIFY(rig.device->ZoomStop());
    QTRY_VERIFY(rig.device->GetZoomPosition(&zoom) && zoom == 0x1234);

    // A preset keeps that zoom, and a recall takes the lens back to it.
    QVERIFY(rig.device->SetPreset(3));
    PresetRecord kept;
    QVERIFY(rig.device->ReadPreset(3, &kept));
    QVERIFY(kept.known & PRESET_ZOOM);
    QCOMPARE(kept.zoom, 0x1234);
    QVERIFY(rig.device->SetZoomPosition(0x500));
    QVERIFY(rig.device->GetZoomPosition(&zoom) && zoom == 0x500);
    QVERIFY(rig.device->CallPreset(3));
    QVERIFY(rig.device->GetZoomPosition(&zoom));
    QCOMPARE(zoom, 0x1234);
}

void tst_Visca::oneAtATimeStopFirstDrivesCoalesce()
{
    Rig rig("Pulpit", "udp");
    QVERIFY(rig.open());
    rig.camera.change([](auto &c) { c.completionDelay = std::chrono::milliseconds(120); });
    QVERIFY(rig.device->SetBrightness(3));
    QVERIFY(rig.camera.waitForCommands(1, std::chrono::seconds(2))); // now running
    QVERIFY(rig.device->SetContrast(4));
    QVERIFY(rig.device->SetSharpness(5));
    for (int speed = 1; speed <= 24; ++speed)
        QVERIFY(rig.device->PanRight(speed));
    QVERIFY(rig.device->WaitUntilSent(5000));
    const std::vector<Bytes> expected = {
        hex("81 01 04 a1 00 00 00 03 ff"),
        hex("81 01 06 01 18 01 02 03 ff"), // the turn ahead of what waited, at the last speed
        hex("81 01 04 a2 00 00 00 04 ff"),
        hex("81 01 04 42 00 00 00 05 ff"),
    };
    QCOMPARE(rig.camera.commands(), expected);
    QCOMPARE(rig.camera.overlaps(), 0);

    // Closing a moving camera stops it.
    rig.camera.change([](auto &c) { c.completionDelay = {}; });
    QVERIFY(rig.device->Close());
    QVERIFY(rig.camera.waitForCommands(5, std::chrono::seconds(2)));
    QCOMPARE(rig.camera.commands().back(), hex("81 01 06 01 01 01 03 03 ff"));
}

void tst_Visca::userGoesAheadOfTheReading()
{
    Rig rig("Choir", "udp");
    rig.camera.change([](auto &c) { c.holdInquiries = true; });
    QVERIFY(rig.device->Open("0", 1));
    const auto asked = [&](const Bytes &message) {
        const auto all = rig.camera.received();
        return std::any_of(all.begin(), all.end(),
                           [&](const ViscaEmulator::Received &r) { return r.message == message; });
    };
    QTRY_VERIFY(asked(hex("81 09 04 a1 ff")));
    QVERIFY(rig.device->SetContrast(4));
    QVERIFY(rig.device->PanRight(12));
    rig.camera.change([](auto &c) { c.holdInquiries = false; });
    QVERIFY(rig.device->WaitUntilSent(5000));
    const auto sent = [&] { // what reached the camera, in order
        QStringList messages;
        for (const ViscaEmulator::Received &r : rig.camera.received())
            if (r.type != 0x0200)
                messages << QString(QByteArray(reinterpret_cast<const char *>(r.message.data()),
                                               int(r.message.size()))
                                        .toHex(' '));
        return messages;
    };
    // The first inquiry was on its way (held); what the user asked goes next, then the
    // reading goes on.
    QTRY_COMPARE(sent().mid(0, 4).join(", "),
                 QString("81 09 04 a1 ff, 81 01 06 01 0c 01 02 03 ff, 81 01 04 a2 00 00 00 04 ff, "
                         "81 09 04 a2 ff"));

    // Closed and opened again at once, as the panel does at start: the same connection, the
    // camera stopped, and the reading goes on, each inquiry once.
    QVERIFY(rig.device->Close());
    QVERIFY(rig.device->Open("0", 1));
    QTRY_VERIFY(sent().contains("81 01 06 01 01 01 03 03 ff"));
    QTRY_VERIFY_WITH_TIMEOUT(rig.device->Capabilities() != 0, 5000);
    for (const char *inquiry :
         {"81 09 04 a1 ff", "81 09 04 a2 ff", "81 09 04 4f ff", "81 09 04 49 ff", "81 09 04 42 ff",
          "81 09 04 5b ff", "81 09 04 33 ff", "81 09 04 35 ff", "81 09 04 20 ff", "81 09 04 47 ff",
          "81 09 06 12 ff"})
        QCOMPARE(sent().count(inquiry), 1);
    int resets = 0;
    for (const ViscaEmulator::Received &r : rig.camera.received())
        resets += r.type == 0x0200;
    QCOMPARE(resets, 1);
    QCOMPARE(rig.camera.overlaps(), 0);
}

void tst_Visca::positionsInRangeAsOneMove_data()
{
    QTest::addColumn<QString>("calls"); // "SetPanPosition 30", "wait 50", ";" between
    QTest::addColumn<QString>("results");
    QTest::addColumn<QString>("moves"); // "pan,tilt" of each absolute move on the wire
    QTest::newRow("pan, the panel's pause, tilt")
        << "SetPanPosition -100;wait 50;SetTiltPosition 50"
        << "1;1"
        << "-100,50";
    QTest::newRow("back to back, at the edges") << "SetPanPosition -32768;SetTiltPosition 32767"
                                                << "1;1"
                                                << "-32768,32767";
    QTest::newRow("pan alone, after its wait") << "SetPanPosition 300"
                                               << "1"
                                               << "300,0";
    QTest::newRow("beyond 16 bits: nothing, never wrapped")
        << "SetPanPosition 65636;SetTiltPosition -65536;SetPanPosition 32768"
        << "0;0;0"
        << "";
}

void tst_Visca::positionsInRangeAsOneMove()
{
    QFETCH(QString, calls);
    QFETCH(QString, results);
    QFETCH(QString, moves);
    Rig rig("Stage", "udp");
    QVERIFY(rig.open());
    QVERIFY(rig.device->ReadParameters());
    for (int index : {PARAM_PAN_POSITION, PARAM_TILT_POSITION}) {
        const ParameterRecord &r = rig.device->parameters[index];
        QCOMPARE((QList<int>{r.minimum, r.maximum, r.available}), (QList<int>{-32768, 32767, 1}));
    }
    QStringList returned;
    for (const QString &call : calls.split(';')) {
        if (call.startsWith("wait "))
            QTest::qWait(call.mid(5).toInt());
        else
            returned << QString::number(perform(*rig.device, call));
    }
    QCOMPARE(returned.join(';'), results);
    QVERIFY(rig.device->WaitUntilSent(3000));
    QStringList sent;
    for (const Bytes &m : rig.camera.commands()) {
        if (m.size() != 15 || m[2] != 0x06 || m[3] != 0x02)
            continue;
        const auto at = [&](size_t i) {
            return int16_t(m[i] << 12 | m[i + 1] << 8 | m[i + 2] << 4 | m[i + 3]);
        };
        sent << QString("%1,%2").arg(at(6)).arg(at(10));
    }
    QCOMPARE(sent.join(';'), moves);
}

void tst_Visca::heldPanLetsAStopGoFirst()
{
    Rig rig("Transept", "tcp");
    QVERIFY(rig.open());
    QVERIFY(rig.device->PanRight(12));
    QVERIFY(rig.camera.waitForCommands(1, std::chrono::seconds(2)));
    QVERIFY(rig.device->SetPanPosition(100));
    QVERIFY(rig.device->PanRightStop());
    QTest::qWait(50);
    QVERIFY(rig.device->SetTiltPosition(-20));
    QVERIFY(rig.device->WaitUntilSent(2000));
    const std::vector<Bytes> expected = {
        hex("81 01 06 01 0c 01 02 03 ff"),
        hex("81 01 06 01 01 01 03 03 ff"), // the stop does not wait with the pan
        hex("81 01 06 02 18 14 00 00 06 04 0f 0f 0e 0c ff"),
    };
    QCOMPARE(rig.camera.commands(), expected);
}

void tst_Visca::panelsOwnMenuOffIsNeverSaid_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasMenu");
    QTest::addColumn<QString>("calls"); // the first right after opening, as the panel does
    QTest::addColumn<QString>("said");  // "": nothing about the menu
    QTest::newRow("no menu: at connection and at exit") << "Gallery" << false << "MenuOff;MenuOff"
                                                        << "";
    QTest::newRow("no menu: the user's own key is said") << "Foyer" << false << "MenuOff;MenuOn"
                                                         << "Foyer offers no on-screen menu";
    QTest::newRow("menu shown, then its off refused")
        << "Apse" << true << "MenuOff;MenuOn;refuse;MenuOff"
        << "Apse cannot do on-screen menu";
}

void tst_Visca::panelsOwnMenuOffIsNeverSaid()
{
    QFETCH(QString, name);
    QFETCH(bool, hasMenu);
    QFETCH(QString, calls);
    QFETCH(QString, said);
    Rig rig(name.toStdString(), "udp");
    if (!hasMenu)
        rig.camera.change([](auto &c) { c.refusals.emplace_back(hex("81 01 06 06"), 0x02); });
    StderrCapture err;
    QVERIFY(rig.device->Open("0", 1));
    bool first = true;
    for (const QString &call : calls.split(';')) {
        if (call == "refuse") {
            rig.camera.change(
                [](auto &c) { c.refusals.emplace_back(hex("81 01 06 06 03"), 0x41); });
            continue;
        }
        if (!first)
            QTRY_VERIFY(rig.device->Capabilities() != 0);
        first = false;
        perform(*rig.device, call);
        rig.device->WaitUntilSent(2000);
    }
    QTRY_VERIFY(rig.device->Capabilities() != 0);
    QVERIFY(rig.device->WaitUntilSent(2000) || !said.isEmpty());
    const QString text = err.text();
    if (said.isEmpty())
        QVERIFY2(!text.contains("menu"), qPrintable(text));
    else
        QCOMPARE(text.count(said), 1);
    QCOMPARE(bool(rig.device->Capabilities() & CAP_MENU), hasMenu && said.isEmpty());
}

void tst_Visca::refusalGreysTheKey_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<int>("error");
    QTest::addColumn<uint>("capability");
    QTest::addColumn<QString>("said");
    QTest::newRow("not executable")
        << "FlipOn"
        << "81 01 04 66" << 0x41 << uint(CAP_FLIP) << "Choir cannot do flip";
    QTest::newRow("syntax error") << "MenuOn"
                                  << "81 01 06 06" << 0x02 << uint(CAP_MENU)
                                  << "Choir does not know on-screen menu";
}

void tst_Visca::refusalGreysTheKey()
{
    QFETCH(QString, call);
    QFETCH(QString, refused);
    QFETCH(int, error);
    QFETCH(uint, capability);
    QFETCH(QString, said);
    Rig rig("Choir", "udp");
    rig.camera.change([&](auto &c) { c.refusals.emplace_back(hex(qPrintable(refused)), error); });
    QVERIFY(rig.open());
    StderrCapture err;
    const int told = rig.listened.calls;
    QVERIFY(perform(*rig.device, call)); // handed over: the camera has not answered yet
    QVERIFY(!rig.device->WaitUntilSent(2000));
    QVERIFY(!(rig.device->Capabilities() & capability));
    QVERIFY(rig.listened.calls > told);
    QVERIFY(!perform(*rig.device, call)); // greyed: nothing more is sent
    QVERIFY(rig.device->WaitUntilSent(2000));
    QCOMPARE(rig.camera.commands().size(), size_t(1));
    QCOMPARE(err.text().count(said), 1);
    QVERIFY(rig.device->Home()); // the rest still works
}

void tst_Visca::busyCameraIsAskedAgain()
{
    Rig rig("Nave", "tcp");
    QVERIFY(rig.open());
    rig.camera.change([](auto &c) { c.busy = 2; });
    QVERIFY(rig.device->SetBrightness(11));
    QVERIFY(rig.device->WaitUntilSent(2000));
    QCOMPARE(rig.count(hex("81 01 04 a1 00 00 00 0b ff")), size_t(3));
    QVERIFY(rig.device->ReadParameters());
    QCOMPARE(rig.device->parameters[PARAM_BRIGHTNESS].currentValue, 11);
}

void tst_Visca::goneAndBack_data()
{
    QTest::addColumn<QString>("wire");
    QTest::addColumn<bool>("dropConnection");
    QTest::addColumn<QString>("name");
    QTest::newRow("udp, silent") << "udp" << false << "Hall A";
    QTest::newRow("tcp, silent") << "tcp" << false << "Hall B";
    QTest::newRow("tcp, connection closed") << "tcp" << true << "Hall C";
    QTest::newRow("serial, silent") << "serial" << false << "Hall D";
}

void tst_Visca::goneAndBack()
{
    QFETCH(QString, wire);
    QFETCH(bool, dropConnection);
    QFETCH(QString, name);
    Rig rig(name.toStdString(), wire);
    QVERIFY(rig.open());
    StderrCapture err;
    if (dropConnection)
        rig.camera.dropTcpClients();
    else
        rig.camera.change([](auto &c) { c.silent = true; });
    const Bytes brightness = hex("81 01 04 a1 00 00 00 01 ff");
    // A closed connection may be noticed before the request is made.
    const bool taken = rig.device->SetBrightness(1);
    QVERIFY(taken || dropConnection);
    QVERIFY(!rig.device->WaitUntilSent(3000));
    if (!dropConnection) // asked, and asked again twice
        QCOMPARE(rig.count(brightness), size_t(ViscaWorker::Attempts));
    QTRY_COMPARE(rig.device->Capabilities(), 0u);
    QVERIFY(!rig.device->PanLeft(3)); // said once already: nothing more is said or sent
    QVERIFY(!rig.device->SetContrast(3));
    QCOMPARE(err.text().count(name + " does not answer"), 1);
    QCOMPARE(err.text().count("offers no"), 0);

    rig.camera.change([](auto &c) { c.silent = false; });
    QTRY_VERIFY_WITH_TIMEOUT(rig.device->Capabilities() & CAP_PAN_TILT, 5000);
    QVERIFY(rig.device->Home());
    QVERIFY(rig.device->WaitUntilSent(2000));
    QCOMPARE(rig.camera.commands().back(), hex("81 01 06 04 ff"));
    QCOMPARE(err.text().count(name + " does not answer"), 1);
}

void tst_Visca::switchedOffAndOn_data()
{
    QTest::addColumn<QString>("wire");
    QTest::newRow("udp") << "udp";
    QTest::newRow("tcp") << "tcp";
}

void tst_Visca::switchedOffAndOn()
{
    QFETCH(QString, wire);
    Rig rig(("Altar " + wire).toStdString(), wire);
    QVERIFY(rig.open());
    QCOMPARE(rig.device->Health(), int(HEALTH_ANSWERING));
    QVERIFY(rig.device->SetTally(2));
    QVERIFY(rig.device->PanLeft(5));
    QVERIFY(rig.device->WaitUntilSent(2000));
    const int port = rig.camera.received().back().from;
    rig.listened.changes = 0;
    rig.camera.switchOff();
    // Nobody asks anything: the worker finds out by itself.
    QTRY_COMPARE_WITH_TIMEOUT(rig.device->Health(), int(HEALTH_NOT_ANSWERING), 10000);
    QTRY_VERIFY(rig.listened.changes & CHANGED_HEALTH);
    QCOMPARE(rig.device->Capabilities(), 0u);
    QVERIFY(!rig.device->PanLeftStop()); // a stop that cannot be given now

    rig.camera.clearReceived();
    rig.listened.changes = 0;
    rig.camera.switchOn();
    QTRY_COMPARE_WITH_TIMEOUT(rig.device->Health(), int(HEALTH_ANSWERING), 6000);
    QTRY_VERIFY(rig.listened.changes & (CHANGED_HEALTH | CHANGED_CAPABILITIES));
    QVERIFY(rig.device->PanRight(3)); // the next command goes at once
    QVERIFY(rig.device->WaitUntilSent(3000));
    QCOMPARE(rig.count(hex("81 01 06 01 03 01 02 03 ff")), size_t(1));
    // Its lamp again; the motion of before never comes back by itself.
    QCOMPARE(rig.count(hex("81 01 7e 01 0a 00 02 ff")), size_t(1));
    QCOMPARE(rig.count(hex("81 01 06 01 05 01 01 03 ff")), size_t(0));
    QTRY_VERIFY(rig.device->Capabilities() & CAP_PAN_TILT); // read afresh
    if (wire != "udp")
        return;
    // Over UDP from a new port, counting afresh.
    const auto received = rig.camera.received();
    QVERIFY(std::none_of(received.begin(), received.end(),
                         [&](const ViscaEmulator::Received &r) { return r.from == port; }));
    QVERIFY(std::any_of(received.begin(), received.end(), [](const ViscaEmulator::Received &r) {
        return r.type == 0x0200 && r.sequence == 0;
    }));
}

void tst_Visca::slowAnswers()
{
    Rig rig("Crypt", "udp");
    QVERIFY(rig.open());
    rig.camera.change([](auto &c) { c.answerDelay = std::chrono::milliseconds(700); });
    QVERIFY(rig.device->SetBrightness(3));
    QVERIFY(rig.device->WaitUntilSent(3000)); // late, but done
    QCOMPARE(rig.device->Health(), int(HEALTH_SLOW));
    QTRY_VERIFY(rig.listened.changes & CHANGED_HEALTH);
    QVERIFY(rig.device->Capabilities() & CAP_PAN_TILT);
    rig.camera.change([](auto &c) { c.answerDelay = {}; });
    for (int value = 0; value < ViscaWorker::QuickAgain; ++value) {
        QCOMPARE(rig.device->Health(), int(HEALTH_SLOW));
        QVERIFY(rig.device->SetContrast(value));
        QVERIFY(rig.device->WaitUntilSent(2000));
    }
    QCOMPARE(rig.device->Health(), int(HEALTH_ANSWERING));
}

void tst_Visca::whatItDoesNotOffer_data()
{
    QTest::addColumn<QString>("message"); // what the camera refuses or does not answer
    QTest::addColumn<int>("error");       // 0: no answer
    QTest::addColumn<int>("times");       // -1: every time
    QTest::addColumn<QString>("call");    // the user's, after the reading
    QTest::addColumn<int>("record");
    QTest::addColumn<int>("asked"); // how often the message reached the camera in the end
    QTest::addColumn<bool>("offered");
    QTest::newRow("inquiry, syntax error")
        << "81 09 04 a1" << 0x02 << -1 << "" << int(PARAM_BRIGHTNESS) << 1 << false;
    QTest::newRow("inquiry never answered")
        << "81 09 04 4f" << 0 << -1 << "" << int(PARAM_HUE) << 2 * ViscaWorker::Attempts << false;
    QTest::newRow("inquiry, one datagram lost")
        << "81 09 04 4f" << 0 << 1 << "" << int(PARAM_HUE) << 2 << true;
    QTest::newRow("command, not executable")
        << "81 01 04 a1" << 0x41 << -1 << "SetBrightness 3" << int(PARAM_BRIGHTNESS) << 1 << false;
    QTest::newRow("command, one datagram lost")
        << "81 01 04 a1" << 0 << 1 << "SetBrightness 3" << int(PARAM_BRIGHTNESS) << 2 << true;
}

void tst_Visca::whatItDoesNotOffer()
{
    QFETCH(QString, message);
    QFETCH(int, error);
    QFETCH(int, times);
    QFETCH(QString, call);
    QFETCH(int, record);
    QFETCH(int, asked);
    QFETCH(bool, offered);
    const Bytes prefix = hex(qPrintable(message));
    Rig rig("Vestry", "udp");
    rig.camera.change([&](auto &c) {
        if (error)
            c.refusals.emplace_back(prefix, uint8_t(error));
        else
            c.ignored.emplace_back(prefix, times);
    });
    QVERIFY(rig.device->Open("0", 1));
    QTRY_VERIFY_WITH_TIMEOUT(rig.device->Capabilities() != 0, 5000);
    if (!call.isEmpty()) {
        QVERIFY(perform(*rig.device, call));
        QCOMPARE(rig.device->WaitUntilSent(3000), offered);
    }
    const auto reached = [&] {
        int n = 0;
        for (const ViscaEmulator::Received &r : rig.camera.received())
            n += r.message.size() >= prefix.size() &&
                 std::equal(prefix.begin(), prefix.end(), r.message.begin());
        return n;
    };
    QTRY_COMPARE_WITH_TIMEOUT(reached(), asked, 8000);
    QVERIFY(rig.device->ReadParameters());
    QTRY_COMPARE(rig.device->ReadParameters() && rig.device->parameters[record].available == 1,
                 offered);
    const QString set = record == PARAM_HUE ? "SetHue 4" : "SetBrightness 4";
    QCOMPARE(perform(*rig.device, set), offered);
    // The camera answers all along: nothing it does not offer makes it look gone.
    QCOMPARE(rig.device->Health(), int(HEALTH_ANSWERING));
    QVERIFY(!(rig.listened.changes & CHANGED_HEALTH));
    QVERIFY(rig.device->Capabilities() & CAP_PAN_TILT);
}

void tst_Visca::garbageOnTheWire_data()
{
    QTest::addColumn<QString>("wire");
    for (const char *wire : {"udp", "tcp", "serial"})
        QTest::newRow(wire) << wire;
}

void tst_Visca::garbageOnTheWire()
{
    QFETCH(QString, wire);
    Rig rig(("Noisy " + wire).toStdString(), wire);
    QVERIFY(rig.open());
    rig.camera.change([](auto &c) { c.garbage = true; });
    for (int i = 0; i < 20; ++i) {
        QVERIFY(rig.device->SetPanPosition(i * 10));
        QVERIFY(rig.device->SetBrightness(i % 15));
        QVERIFY(rig.device->WaitUntilSent(3000));
    }
    int32_t pan = 0;
    QVERIFY(rig.device->GetPanPosition(&pan));
    QCOMPARE(pan, 190);
    QVERIFY(rig.device->Capabilities() & CAP_PAN_TILT);
}

void tst_Visca::discovery_data()
{
    QTest::addColumn<QString>("how");    // broadcast, probe udp|tcp, discover udp
    QTest::addColumn<QString>("camera"); // how it answers: well, junk, silent
    QTest::addColumn<QString>("found");  // "LINE  # ABOUT", the port as PORT; "" none
    QTest::newRow("setup broadcast")
        << "broadcast"
        << "well"
        << "Stage 2, udp, 127.0.0.1, 52381  # VISCA over IP, model IPCARD";
    QTest::newRow("setup broadcast, junk") << "broadcast"
                                           << "junk"
                                           << "";
    QTest::newRow("version inquiry over udp")
        << "probe udp"
        << "well"
        << "127.0.0.1, udp, 127.0.0.1, PORT  # VISCA over IP, Sony, model 0x0519";
    QTest::newRow("version inquiry over tcp")
        << "probe tcp"
        << "well"
        << "127.0.0.1, tcp, 127.0.0.1, PORT  # VISCA over TCP, Sony, model 0x0519";
    // Junk from the host, and the right answer from another address.
    QTest::newRow("junk") << "probe udp"
                          << "junk"
                          << "";
    QTest::newRow("junk over tcp") << "probe tcp"
                                   << "junk"
                                   << "";
    QTest::newRow("silent") << "probe udp"
                            << "silent"
                            << "";
    QTest::newRow("host and port, beside ONVIF's probe")
        << "discover udp"
        << "well"
        << "127.0.0.1, udp, 127.0.0.1, PORT  # VISCA over IP, Sony, model 0x0519";
}

void tst_Visca::discovery()
{
    QFETCH(QString, how);
    QFETCH(QString, camera);
    QFETCH(QString, found);
    ViscaEmulator emulator;
    emulator.change([&](auto &c) {
        c.setupName = "Stage 2";
        c.junkOnly = camera == "junk";
        c.silent = camera == "silent";
    });
    const int port = how.endsWith("udp") ? emulator.udpPort() : emulator.tcpPort();
    std::vector<NetworkCameras::Discovered> cameras;
    std::string error;
    const auto start = ViscaDiscovery::Clock::now();
    const auto until = start + std::chrono::seconds(2);
    if (how == "broadcast") {
        // The loopback stands for a subnet: asked at its own address, as it has no broadcast.
        std::vector<ViscaDiscovery::Subnet> subnets;
        QVERIFY(ViscaDiscovery::subnets({"lo"}, subnets, error));
        QVERIFY(!subnets.empty());
        QVERIFY(ViscaDiscovery::broadcast(subnets, emulator.setupPort(), until, cameras, error));
    } else if (how.startsWith("probe")) {
        QVERIFY(ViscaDiscovery::probe("127.0.0.1", port, until, cameras, error));
    } else {
        QVERIFY(NetworkCameras::discover("127.0.0.1:" + std::to_string(port), 2, cameras, error));
    }
    QVERIFY(ViscaDiscovery::Clock::now() < start + std::chrono::seconds(4));
    QStringList lines;
    for (const NetworkCameras::Discovered &c : cameras)
        lines << QString::fromStdString(c.line + (c.about.empty() ? "" : "  # " + c.about));
    QCOMPARE(lines.join('\n'), found.replace("PORT", QString::number(port)));
    // What it found is what --add-camera takes.
    for (const NetworkCameras::Discovered &c : cameras)
        QCOMPARE(ViscaBackend::parse(c.line, "found").size(), size_t(1));
}

void tst_Visca::configuration_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found"); // name and path of each camera
    QTest::addColumn<int>("problems");
    QTest::newRow("defaults and comments")
        << "# cameras\nFront, udp, 10.0.0.5\n\n Back , tcp , cam.local # the old one\n"
        << QStringList{"Front", "visca-udp://10.0.0.5:52381", "Back", "visca-tcp://cam.local:5678"}
        << 0;
    QTest::newRow("ports; separated")
        << "A,udp,127.0.0.1,1259;B,tcp,::1,65535;C,serial,/dev/ttyUSB0;D,serial,/dev/ttyS1,115200"
        << QStringList{"A", "visca-udp://127.0.0.1:1259",
                       "B", "visca-tcp://::1:65535",
                       "C", "visca-serial:///dev/ttyUSB0:9600",
                       "D", "visca-serial:///dev/ttyS1:115200"}
        << 0;
    QTest::newRow("bad lines are skipped")
        << "A,ftp,x\nB,udp\n,udp,host\nC,udp,h,0\nD,udp,h,99999\nE,tcp,h,12x\nF,udp,h,1,2\n"
           "H,serial,/dev/ttyS0,300\nG,udp,h"
        << QStringList{"G", "visca-udp://h:52381"} << 8;
}

void tst_Visca::configuration()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    QFETCH(int, problems);
    std::vector<std::string> said;
    QStringList cameras;
    for (const auto &camera : ViscaBackend::parse(text.toStdString(), "test", &said))
        cameras << QString::fromStdString(camera.info.name)
                << QString::fromStdString(camera.info.path);
    QCOMPARE(cameras, found);
    QCOMPARE(int(said.size()), problems);
}

void tst_Visca::addAndRemoveCameras()
{
    qunsetenv("CAMERACTRL_VISCA");
    const QString path = QString::fromStdString(NetworkCameras::configPath());
    QVERIFY(path.startsWith(config.path()));
    {
        QFile file(path);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly));
        file.write("# mine\nOld, tcp, 10.0.0.9\n");
    }
    std::string error;
    QVERIFY(NetworkCameras::add("Stage,udp,10.0.0.7", error));
    QVERIFY(NetworkCameras::add("Old, udp, 10.0.0.8, 1259", error)); // replaces its namesake
    QVERIFY(!NetworkCameras::add("Broken, ftp, host", error));
    QCOMPARE(QString::fromStdString(error),
             QString("the transport must be udp, tcp, serial or onvif"));
    QVERIFY(NetworkCameras::add("Desk, serial, /dev/ttyUSB0", error));
    QVERIFY(!NetworkCameras::remove("Nobody", error));
    QVERIFY(NetworkCameras::remove("Stage", error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("# mine\nOld, udp, 10.0.0.8, 1259\nDesk, serial, /dev/ttyUSB0, 9600\n"));

    // The library lists them after the attached cameras, and opens them by that index.
    ViscaEmulator camera;
    QVERIFY(NetworkCameras::add(camera.line("Loopback", true), error));
    qputenv("CAMERACTRL_BACKEND", "sim");
    std::vector<DeviceInfo> devices;
    QVERIFY(BaseDevice::EnumUSBDevices(devices));
    QCOMPARE(devices.size(), size_t(4));
    QCOMPARE(devices[1].name, std::string("Old"));
    QCOMPARE(devices[2].name, std::string("Desk"));
    QCOMPARE(devices[3].name, std::string("Loopback"));
    QCOMPARE(devices[3].index, 3);
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    QVERIFY(device && device->Open("3", 1));
    QTRY_VERIFY(device->Capabilities() & CAP_PAN_TILT);
    QVERIFY(device->Open("0", 1)); // back to the simulated camera
    QVERIFY(device->Capabilities() & CAP_PAN_TILT);
}

QTEST_MAIN(tst_Visca)
#include "tst_visca.moc"
