// SPDX-License-Identifier: GPL-2.0-or-later
// ONVIF cameras, against a camera emulator on 127.0.0.1: the SOAP each operation sends, the
// camera read as far as it answers, both ways of signing in (and a camera whose clock is
// off), presets reached by number, refusals that grey a key, a stop ahead of a slow camera,
// hostile answers, a camera that goes and comes back, and a unicast discovery probe.
#include "NetworkCameras.h"
#include "OnvifBackend.h"
#include "OnvifEmulator.h"
#include "StderrCapture.h"
#include "V4l2Rig.h"

#include <QtTest>
#include <clocale>
#include <regex>

namespace {

using Junk = OnvifEmulator::Junk;
using Behaviour = OnvifEmulator::Behaviour;
using Setup = std::function<void(Behaviour &)>;

struct Rig
{
    OnvifEmulator camera;
    std::unique_ptr<OnvifBackend> backend;
    std::unique_ptr<BaseDevice> device;
    ChangeCounter listened;

    // With a `user`, the camera is added to the user's file as --add-camera does, with
    // `password`; otherwise it comes from the environment.
    explicit Rig(const std::string &cameraName, const Setup &setup = {},
                 const std::string &user = {}, const std::string &password = {})
        : name(cameraName)
    {
        if (setup)
            camera.change(setup);
        std::string error;
        if (user.empty())
            qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(camera.line(name)));
        else if (!NetworkCameras::add(camera.line(name, user), password, error))
            qWarning("%s", error.c_str());
        backend = std::make_unique<OnvifBackend>();
        device = backend->createDevice();
        device->SetChangeListener(&ChangeCounter::note, &listened);
    }
    ~Rig()
    {
        device.reset();
        qunsetenv("CAMERACTRL_VISCA");
        std::string ignored;
        NetworkCameras::remove(name, ignored);
    }
    const std::string name;
    // Opens the camera and waits until it has been read.
    bool open()
    {
        if (!device->Open("0", 1))
            return false;
        QDeadlineTimer deadline(5000);
        while (device->Capabilities() == 0 && !deadline.hasExpired())
            QTest::qWait(5);
        return device->Capabilities() != 0;
    }
    // The bodies of the operation's requests since the camera was read.
    QStringList bodies(const std::string &operation)
    {
        QStringList out;
        for (const auto &r : camera.received())
            if (r.operation == operation)
                out << QString::fromStdString(r.body);
        return out;
    }
};

bool perform(BaseDevice &d, const QString &call)
{
    using Call = std::function<bool(BaseDevice &, int)>;
    static const std::map<QString, Call> calls = {
        {"PanLeft", [](BaseDevice &d, int n) { return d.PanLeft(n); }},
        {"PanRight", [](BaseDevice &d, int n) { return d.PanRight(n); }},
        {"TiltUp", [](BaseDevice &d, int n) { return d.TiltUp(n); }},
        {"TiltDown", [](BaseDevice &d, int n) { return d.TiltDown(n); }},
        {"PanLeftStop", [](BaseDevice &d, int) { return d.PanLeftStop(); }},
        {"TiltUpStop", [](BaseDevice &d, int) { return d.TiltUpStop(); }},
        {"ZoomIn", [](BaseDevice &d, int n) { return d.ZoomIn(n); }},
        {"ZoomOut", [](BaseDevice &d, int n) { return d.ZoomOut(n); }},
        {"ZoomStop", [](BaseDevice &d, int) { return d.ZoomStop(); }},
        {"Home", [](BaseDevice &d, int) { return d.Home(); }},
        {"PtzReset", [](BaseDevice &d, int) { return d.PtzReset(); }},
        {"SetPreset", [](BaseDevice &d, int n) { return d.SetPreset(uint8_t(n)); }},
        {"CallPreset", [](BaseDevice &d, int n) { return d.CallPreset(uint8_t(n)); }},
        {"ClearPreset", [](BaseDevice &d, int n) { return d.ClearPreset(uint8_t(n)); }},
        {"SetBrightness", [](BaseDevice &d, int n) { return d.SetBrightness(n); }},
        {"SetSharpness", [](BaseDevice &d, int n) { return d.SetSharpness(n); }},
        {"SetWhiteBalanceAuto", [](BaseDevice &d, int n) { return d.SetWhiteBalanceAuto(n); }},
        {"SetPanPosition", [](BaseDevice &d, int n) { return d.SetPanPosition(n); }},
        {"SetTiltPosition", [](BaseDevice &d, int n) { return d.SetTiltPosition(n); }},
    };
    const QStringList words = call.split(' ');
    const auto found = calls.find(words[0]);
    return found != calls.end() && found->second(d, words.value(1).toInt());
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(OnvifEmulator::Junk)

class tst_Onvif : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void operations_data();
    void operations();
    void camerasAsTheyAre_data();
    void camerasAsTheyAre();
    void signingIn_data();
    void signingIn();
    void positions_data();
    void positions();
    void presetsByNumber_data();
    void presetsByNumber();
    void refusalGreysTheKey_data();
    void refusalGreysTheKey();
    void stopGoesFirstOnASlowCamera();
    void hostileAnswers_data();
    void hostileAnswers();
    void goneAndBack();
    void howItAnswers_data();
    void howItAnswers();
    void discoveryByUnicast();

private:
    QTemporaryDir config;
};

void tst_Onvif::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // Run under a comma-decimal locale too (CTest's tst_onvif_de), the program must have
    // taken it, as the panel does: otherwise that run would prove nothing.
    if (qgetenv("LC_ALL").startsWith("de_DE"))
        QCOMPARE(std::localeconv()->decimal_point, ",");
}

void tst_Onvif::operations_data()
{
    QTest::addColumn<QString>("calls"); // ";" between calls
    QTest::addColumn<QString>("sent");  // operation: a pattern its body matches, ";" between
    QTest::newRow("pan at full speed")
        << "PanRight 24"
        << "ContinuousMove:<tt:PanTilt x=\"1\" y=\"0\"/><tt:Zoom x=\"0\"/>";
    QTest::newRow("tilt together with pan")
        << "PanLeft 12;TiltDown 8"
        << "ContinuousMove:x=\"-0.5\" y=\"0\";ContinuousMove:x=\"-0.5\" y=\"-0.5\"";
    QTest::newRow("release stops")
        << "TiltUp 16;TiltUpStop"
        << "ContinuousMove:x=\"0\" y=\"1\";Stop:<tptz:PanTilt>true</tptz:PanTilt>";
    QTest::newRow("zoom lever")
        << "ZoomIn 7;ZoomOut 1;ZoomStop"
        << "ContinuousMove:<tt:Zoom x=\"1\"/>;ContinuousMove:<tt:Zoom x=\"-0.142857\"/>;Stop:";
    QTest::newRow("home and reset") << "Home;PtzReset"
                                    << "GotoHomePosition:main;GotoHomePosition:main";
    QTest::newRow("recall a preset") << "CallPreset 1"
                                     << "GotoPreset:<tptz:PresetToken>1</tptz:PresetToken>";
    QTest::newRow("image settings") << "SetBrightness 70;SetSharpness 20;SetWhiteBalanceAuto 0"
                                    << "SetImagingSettings:<tt:Brightness>70</tt:Brightness>;"
                                       "SetImagingSettings:<tt:Sharpness>20</tt:Sharpness>;"
                                       "SetImagingSettings:<tt:Mode>MANUAL</tt:Mode>";
}

void tst_Onvif::operations()
{
    QFETCH(QString, calls);
    QFETCH(QString, sent);
    Rig rig("Stage");
    QVERIFY(rig.open());
    rig.camera.clearReceived();
    for (const QString &call : calls.split(';')) {
        QVERIFY2(perform(*rig.device, call), qPrintable(call));
        QVERIFY(rig.device->WaitUntilSent(3000)); // one by one, none coalesced away
    }
    const auto received = rig.camera.received();
    const QStringList expected = sent.split(';');
    QCOMPARE(int(received.size()), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QString operation = expected[i].section(':', 0, 0);
        const QString pattern = expected[i].section(':', 1);
        QCOMPARE(QString::fromStdString(received[size_t(i)].operation), operation);
        QVERIFY2(QString::fromStdString(received[size_t(i)].body).contains(pattern),
                 qPrintable(QString::fromStdString(received[size_t(i)].body)));
        // Every request names the profile the camera drives with.
        if (received[size_t(i)].path == "/onvif/ptz")
            QVERIFY(received[size_t(i)].body.find(">main</tptz:ProfileToken>") !=
                    std::string::npos);
    }
}

void tst_Onvif::camerasAsTheyAre_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<int>("panMax"); // of the position fields
    QTest::addColumn<bool>("askedCapabilities");
    QTest::newRow("all of it, in degrees") << Setup() << "main" << 170 << false;
    QTest::newRow("generic space only")
        << Setup([](Behaviour &b) { b.degrees = false; }) << "main" << 1000 << false;
    QTest::newRow("no GetServices")
        << Setup([](Behaviour &b) { b.noServices = true; }) << "main" << 170 << true;
    QTest::newRow("no configuration options")
        << Setup([](Behaviour &b) { b.noOptions = true; }) << "main" << 1000 << false;
    QTest::newRow("no PTZ configuration in its profiles")
        << Setup([](Behaviour &b) { b.noPtzProfile = true; }) << "sub" << 1000 << false;
}

void tst_Onvif::camerasAsTheyAre()
{
    QFETCH(Setup, setup);
    QFETCH(QString, profile);
    QFETCH(int, panMax);
    QFETCH(bool, askedCapabilities);
    Rig rig("Hall", setup);
    QVERIFY(rig.open());
    const uint32_t caps = rig.device->Capabilities();
    for (const uint32_t cap : {CAP_PAN_TILT, CAP_ZOOM, CAP_POSITION, CAP_PRESETS, CAP_HOME})
        QVERIFY(caps & cap);
    QVERIFY(!(caps & (CAP_FLIP | CAP_MENU | CAP_FLICKER)));
    const auto ops = rig.camera.operations();
    QCOMPARE(std::count(ops.begin(), ops.end(), "GetCapabilities") == 1, askedCapabilities);
    QVERIFY(rig.device->ReadParameters());
    QCOMPARE(rig.device->parameters[PARAM_PAN_POSITION].maximum, panMax);
    QCOMPARE(rig.device->parameters[PARAM_PAN_POSITION].minimum, -panMax);
    QCOMPARE(rig.device->parameters[PARAM_BRIGHTNESS].currentValue, 50);
    QCOMPARE(rig.device->parameters[PARAM_BRIGHTNESS].available, 1);
    QCOMPARE(rig.device->parameters[PARAM_HUE].available, 0);
    rig.camera.clearReceived();
    QVERIFY(rig.device->PanRight(3) && rig.device->WaitUntilSent(3000));
    QVERIFY(rig.bodies("ContinuousMove").value(0).contains(">" + profile + "</tptz:ProfileToken>"));
}

void tst_Onvif::signingIn_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("password"); // kept for the camera
    QTest::addColumn<bool>("driven");
    QTest::addColumn<QString>("wire"); // "token" or "digest": what the camera saw
    const auto secret = [](bool digest, long skew) {
        return Setup([=](Behaviour &b) {
            b.user = "admin";
            b.password = "pa,ss;#\"word";
            b.digest = digest;
            b.skewSeconds = skew;
        });
    };
    QTest::newRow("username token") << secret(false, 0) << "pa,ss;#\"word" << true << "token";
    QTest::newRow("camera clock an hour ahead")
        << secret(false, 3600) << "pa,ss;#\"word" << true << "token";
    QTest::newRow("camera clock a day behind")
        << secret(false, -86400) << "pa,ss;#\"word" << true << "token";
    QTest::newRow("http digest") << secret(true, 0) << "pa,ss;#\"word" << true << "digest";
    QTest::newRow("wrong password") << secret(false, 0) << "guess" << false << "token";
    QTest::newRow("wrong password, digest") << secret(true, 0) << "guess" << false << "digest";
}

void tst_Onvif::signingIn()
{
    QFETCH(Setup, setup);
    QFETCH(QString, password);
    QFETCH(bool, driven);
    QFETCH(QString, wire);
    StderrCapture err;
    Rig rig(QTest::currentDataTag(), setup, "admin", password.toStdString());
    QVERIFY2(rig.open() == driven, qPrintable(err.text()));
    const auto received = rig.camera.received();
    QVERIFY(!received.empty());
    if (!driven) {
        QTRY_VERIFY(err.text().contains("refuses user \"admin\""));
        QCOMPARE(err.text().count("refuses user"), 1);
        // So it stays while it is asked again: its time, then what needs the password.
        QCOMPARE(rig.device->Health(), int(HEALTH_REFUSED));
        QTRY_VERIFY_WITH_TIMEOUT(rig.camera.received().size() > received.size() + 1, 5000);
        QCOMPARE(rig.device->Health(), int(HEALTH_REFUSED));
        return;
    }
    QVERIFY(rig.device->PanRight(5) && rig.device->WaitUntilSent(3000));
    for (const auto &r : rig.camera.received())
        if (r.operation != "GetSystemDateAndTime")
            QVERIFY2(wire == "token" ? r.usernameToken : r.httpDigest, r.operation.c_str());
    // A password is never sent as such.
    for (const auto &r : received)
        QVERIFY(r.body.find("pa,ss") == std::string::npos);
}

void tst_Onvif::positions_data()
{
    QTest::addColumn<bool>("degrees");
    QTest::addColumn<int>("pan");
    QTest::addColumn<int>("tilt");
    QTest::addColumn<QString>("sent"); // the AbsoluteMove's PanTilt
    QTest::newRow("degrees") << true << 85 << 30
                             << "x=\"85\" y=\"30\" space=\"http://www.onvif.org/"
                                "ver10/tptz/PanTiltSpaces/"
                                "SphericalPositionSpaceDegrees\"";
    QTest::newRow("generic") << false << -500 << 250
                             << "x=\"-0.5\" y=\"0.25\" space=\"http://www.onvif.org/ver10/tptz/"
                                "PanTiltSpaces/PositionGenericSpace\"";
}

void tst_Onvif::positions()
{
    QFETCH(bool, degrees);
    QFETCH(int, pan);
    QFETCH(int, tilt);
    QFETCH(QString, sent);
    Rig rig("Gallery", [=](Behaviour &b) { b.degrees = degrees; });
    QVERIFY(rig.open());
    rig.camera.clearReceived();
    // Pan then tilt: one move with both.
    QVERIFY(rig.device->SetPanPosition(pan) && rig.device->SetTiltPosition(tilt));
    QVERIFY(rig.device->WaitUntilSent(3000));
    QCOMPARE(rig.bodies("AbsoluteMove").size(), 1);
    QVERIFY2(rig.bodies("AbsoluteMove").front().contains(sent),
             qPrintable(rig.bodies("AbsoluteMove").front()));
    // Read back from the camera's status, which it gives in its generic space.
    int32_t readPan = 0, readTilt = 0;
    QTRY_VERIFY(rig.device->GetPanPosition(&readPan) && rig.device->GetTiltPosition(&readTilt));
    QCOMPARE(readPan, pan);
    QCOMPARE(readTilt, tilt);
    // Outside the camera's range, nothing goes.
    rig.camera.clearReceived();
    QVERIFY(!rig.device->SetPanPosition(degrees ? 171 : 1001));
    QVERIFY(!rig.device->SetTiltPosition(degrees ? -31 : -1001));
    QVERIFY(rig.device->WaitUntilSent(1000));
    QVERIFY(rig.bodies("AbsoluteMove").isEmpty());
}

void tst_Onvif::presetsByNumber_data()
{
    QTest::addColumn<bool>("named"); // the camera's tokens are names
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("existing"); // the token the camera has for it, if any
    QTest::newRow("numbered tokens, new preset") << false << 4 << "";
    QTest::newRow("numbered tokens, its own preset") << false << 1 << "1";
    QTest::newRow("named tokens, new preset") << true << 5 << "";
    QTest::newRow("named tokens, its own preset") << true << 2 << "Preset002";
}

void tst_Onvif::presetsByNumber()
{
    QFETCH(bool, named);
    QFETCH(int, preset);
    QFETCH(QString, existing);
    Rig rig(QTest::currentDataTag(), [=](Behaviour &b) {
        b.namedPresets = named;
        b.presets = named ? std::map<std::string, std::string>{{"Preset002", "Door"}}
                          : std::map<std::string, std::string>{{"1", "1"}};
    });
    QVERIFY(rig.open());
    rig.camera.clearReceived();
    QVERIFY(rig.device->SetPreset(uint8_t(preset)) && rig.device->WaitUntilSent(3000));
    const QString set = rig.bodies("SetPreset").value(0);
    const QRegularExpression token("<tptz:PresetToken>([^<]+)</tptz:PresetToken>");
    if (existing.isEmpty())
        QVERIFY(set.contains("<tptz:PresetName>" + QString::number(preset) + "</tptz:PresetName>"));
    else
        QCOMPARE(token.match(set).captured(1), existing);
    // The number reaches the token the camera gave, also in a new session.
    const std::string given = [&] {
        for (const auto &[t, name] : rig.camera.state().presets)
            if (t == existing.toStdString() || name == std::to_string(preset))
                return t;
        return std::string();
    }();
    QVERIFY(!given.empty());
    rig.device->Close();
    QVERIFY(rig.open());
    rig.camera.clearReceived();
    QVERIFY(rig.device->CallPreset(uint8_t(preset)) && rig.device->WaitUntilSent(3000));
    QCOMPARE(token.match(rig.bodies("GotoPreset").value(0)).captured(1),
             QString::fromStdString(given));
    QVERIFY(rig.device->ClearPreset(uint8_t(preset)) && rig.device->WaitUntilSent(3000));
    QCOMPARE(token.match(rig.bodies("RemovePreset").value(0)).captured(1),
             QString::fromStdString(given));
    // A number the camera has nothing for is refused before anything is sent.
    rig.camera.clearReceived();
    StderrCapture err;
    QVERIFY(rig.device->CallPreset(uint8_t(preset)));
    QVERIFY(!rig.device->WaitUntilSent(3000));
    QVERIFY(rig.bodies("GotoPreset").isEmpty());
    QVERIFY(err.text().contains("has no preset " + QString::number(preset)));
}

void tst_Onvif::refusalGreysTheKey_data()
{
    QTest::addColumn<QString>("operation"); // refused by the camera
    QTest::addColumn<QString>("call");
    QTest::addColumn<uint>("greyed");
    QTest::newRow("home") << "GotoHomePosition"
                          << "Home" << uint(CAP_HOME);
    QTest::newRow("joystick") << "ContinuousMove"
                              << "PanLeft 3" << uint(CAP_PAN_TILT);
    QTest::newRow("absolute") << "AbsoluteMove"
                              << "SetTiltPosition 10" << uint(CAP_POSITION);
    QTest::newRow("white balance mode") << "SetImagingSettings"
                                        << "SetWhiteBalanceAuto 0" << uint(CAP_WHITE_BALANCE_AUTO);
}

void tst_Onvif::refusalGreysTheKey()
{
    QFETCH(QString, operation);
    QFETCH(QString, call);
    QFETCH(uint, greyed);
    Rig rig("Porch", [&](Behaviour &b) { b.faults = {operation.toStdString()}; });
    QVERIFY(rig.open());
    QVERIFY(rig.device->Capabilities() & greyed);
    StderrCapture err;
    QVERIFY(perform(*rig.device, call));
    QVERIFY(!rig.device->WaitUntilSent(3000)); // the caller learns of it
    QVERIFY(!(rig.device->Capabilities() & greyed));
    QVERIFY(err.text().contains("Porch refuses"));
    QVERIFY(err.text().contains("ActionNotSupported"));
    // The rest still works.
    QVERIFY(rig.device->Capabilities() & CAP_PRESETS);
    QVERIFY(!perform(*rig.device, call)); // now known: nothing more is sent
}

void tst_Onvif::stopGoesFirstOnASlowCamera()
{
    Rig rig("Slow", [](Behaviour &b) { b.delay = std::chrono::milliseconds(300); });
    QVERIFY(rig.open());
    rig.camera.clearReceived();
    QVERIFY(rig.device->PanRight(5));
    QVERIFY(rig.camera.waitFor("ContinuousMove", std::chrono::seconds(2))); // its answer slow
    QElapsedTimer timer;
    qint64 slowest = 0;
    const auto timed = [&](bool done) {
        slowest = std::max(slowest, timer.elapsed());
        return done;
    };
    timer.start();
    QVERIFY(timed(rig.device->SetContrast(20)));
    for (int speed = 6; speed <= 24; ++speed) {
        timer.start();
        QVERIFY(timed(rig.device->PanRight(speed)));
    }
    timer.start();
    QVERIFY(timed(rig.device->PanRightStop()));
    QVERIFY(rig.device->WaitUntilSent(5000));
    // No call waited for the camera; the stop went ahead of the contrast, and none of the
    // speeds it overtook went out.
    QVERIFY2(slowest < 16, qPrintable(QString::number(slowest)));
    QCOMPARE(rig.camera.operations(true),
             (std::vector<std::string>{"ContinuousMove", "Stop", "SetImagingSettings"}));
}

void tst_Onvif::hostileAnswers_data()
{
    QTest::addColumn<Junk>("junk");
    QTest::addColumn<QString>("said");
    QTest::newRow("not XML") << Junk::NotXml << "cannot be read";
    QTest::newRow("nested entities") << Junk::Entities << "document type declaration";
    QTest::newRow("external entity") << Junk::External << "document type declaration";
    QTest::newRow("too deep") << Junk::Deep << "levels";
    QTest::newRow("too large") << Junk::Huge << "larger than 512 KiB";
}

void tst_Onvif::hostileAnswers()
{
    QFETCH(Junk, junk);
    QFETCH(QString, said);
    StderrCapture err;
    Rig rig(QTest::currentDataTag(), [&](Behaviour &b) { b.junk = junk; });
    QVERIFY(rig.device->Open("0", 1));
    // Each step of the reading gets junk: the camera is read to its end, offering nothing.
    QTRY_VERIFY(err.text().contains(said));
    QVERIFY(rig.camera.waitFor("GetProfiles", std::chrono::seconds(5)));
    QTest::qWait(200);
    QCOMPARE(rig.device->Capabilities(), 0u);
    QCOMPARE(err.text().count(said), 1);
    QVERIFY(!err.text().contains("does not answer"));
}

void tst_Onvif::goneAndBack()
{
    StderrCapture err;
    Rig rig("Tower");
    QVERIFY(rig.open());
    rig.camera.change([](Behaviour &b) { b.silent = true; });
    QVERIFY(rig.device->PanRight(4));
    QTRY_VERIFY_WITH_TIMEOUT(rig.device->Capabilities() == 0, 6000);
    QCOMPARE(rig.device->Health(), int(HEALTH_NOT_ANSWERING));
    QCOMPARE(err.text().count("Tower does not answer"), 1);
    QVERIFY(!rig.device->PanRight(5)); // nothing waits for a camera that is not there
    int32_t pan = 0;
    QVERIFY(!rig.device->GetPanPosition(&pan));
    rig.camera.change([](Behaviour &b) { b.silent = false; });
    QTRY_VERIFY_WITH_TIMEOUT(rig.device->Capabilities() & CAP_PAN_TILT, 10000);
    QCOMPARE(rig.device->Health(), int(HEALTH_ANSWERING));
    QCOMPARE(err.text().count("Tower does not answer"), 1);
    rig.camera.clearReceived();
    QVERIFY(rig.device->PanRight(5) && rig.device->WaitUntilSent(3000));
    QCOMPARE(rig.camera.operations(true), std::vector<std::string>{"ContinuousMove"});
}

void tst_Onvif::howItAnswers_data()
{
    QTest::addColumn<Setup>("setup"); // once it has been read
    QTest::addColumn<bool>("asked");  // something is asked of it; else it is left alone
    QTest::addColumn<int>("health");
    QTest::newRow("slow") << Setup([](Behaviour &b) { b.delay = std::chrono::milliseconds(700); })
                          << true << int(HEALTH_SLOW);
    QTest::newRow("silent, left alone")
        << Setup([](Behaviour &b) { b.silent = true; }) << false << int(HEALTH_NOT_ANSWERING);
}

void tst_Onvif::howItAnswers()
{
    QFETCH(Setup, setup);
    QFETCH(bool, asked);
    QFETCH(int, health);
    Rig rig(QTest::currentDataTag());
    QVERIFY(rig.open());
    QCOMPARE(rig.device->Health(), int(HEALTH_ANSWERING));
    rig.camera.clearReceived();
    rig.camera.change(setup);
    if (asked)
        QVERIFY(rig.device->PanRight(5) && rig.device->WaitUntilSent(5000));
    // Left alone, it is asked its status now and then: that finds it silent.
    QTRY_COMPARE_WITH_TIMEOUT(rig.device->Health(), health, 12000);
    QVERIFY(rig.listened.changes & CHANGED_HEALTH);
    if (!asked)
        QCOMPARE(rig.camera.operations(), std::vector<std::string>{"GetStatus"});
}

void tst_Onvif::discoveryByUnicast()
{
    OnvifEmulator camera;
    std::vector<NetworkCameras::Discovered> found;
    std::string error;
    QVERIFY(NetworkCameras::discover("127.0.0.1:" + std::to_string(camera.discoveryPort()), 2,
                                     found, error));
    QCOMPARE(found.size(), size_t(1));
    QCOMPARE(found[0].name, std::string("Loopback Dome"));
    QCOMPARE(found[0].address, std::string("127.0.0.1"));
    QCOMPARE(found[0].port, camera.port());
    QVERIFY(found[0].ptz);
    // Ready to paste: the line names the camera that answered.
    QCOMPARE(found[0].line, "Loopback Dome, onvif, 127.0.0.1, " + std::to_string(camera.port()));
    QVERIFY(!NetworkCameras::discover("127.0.0.1:0", 1, found, error));
}

QTEST_MAIN(tst_Onvif)
#include "tst_onvif.moc"
