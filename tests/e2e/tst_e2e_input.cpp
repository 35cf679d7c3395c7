// SPDX-License-Identifier: GPL-2.0-or-later
// The real program under real X input, as a person meets it: the keys steer the camera from
// the first click and come back from any control by a click on an empty part of the panel or
// by Escape; zoom keys stop whichever modifier is let go first; a key held past the server's
// auto-repeat delay keeps moving; every way of moving an image slider reaches the camera
// once per change while values the program sets itself send nothing; SET/PT sends only a
// position the camera reaches, and anti-flicker OFF is sent. The trace is the witness.
#include "TraceFile.h"
#include "XSession.h"

#include <QtTest>

#include <memory>

namespace {

const QStringList Stops = {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};
const QString Mark = QStringLiteral("CallPreset 8");

// Where things are in the window, at 96 dots per inch with the image panel open or shut.
const QString EmptyOfMotionPanel = QStringLiteral("462 120"); // right of the joystick
const QString PanField = QStringLiteral("327 224");
const QString TiltField = QStringLiteral("327 250");
const QString SetKey = QStringLiteral("326 193");
const QString FlickerSelector = QStringLiteral("102 399");
const QString ZoomLever = QStringLiteral("387 273");
const QString FoldKey = QStringLiteral("280 100");
const QString ResetKey = QStringLiteral("239 352");
const QString Brightness = QStringLiteral("116 28"); // its handle at 50 of 0..100
const QString BrightnessGrooveEnd = QStringLiteral("154 28");
const QString Hue = QStringLiteral("116 108");
const QString EmptyOfImagePanel = QStringLiteral("100 300");

// The camera of the slider tests: brightness 0..100 in steps of 1, hue -20..20 in steps of 5,
// both at their default.
const QByteArray Camera = "name=Desk\n"
                          "brightness=0,100,1,50,50,1\n"
                          "hue=-20,20,5,0,0,1\n";

bool isConnecting(const QString &line)
{
    static const QStringList connecting = {"CreateDevice 0", "Initial",        "EnumUSBDevices",
                                           "Close",          "ReadParameters", "MenuOff"};
    return connecting.contains(line) || line.startsWith("Open ");
}

// The real panel in its own X server, with xev listening to the keys its window gets.
class Session
{
public:
    // With `camera` the only camera attached, else the built-in one.
    explicit Session(const QByteArray &camera = {})
    {
        QProcessEnvironment env = PanelProcess::simulatedCamera(dir.filePath("trace.log"));
        if (!camera.isEmpty()) {
            QDir(dir.path()).mkdir("cameras");
            QFile file(dir.filePath("cameras/desk.cam"));
            if (file.open(QIODevice::WriteOnly))
                file.write(camera);
            env.insert("CAMERACTRL_SIM_DIR", dir.filePath("cameras"));
        }
        panel = std::make_unique<PanelProcess>(x, PTZ_PANEL_PATH, env);
    }

    bool start()
    {
        if (!x.isRunning() || !(id = QString::number(panel->waitForWindow())).toULongLong())
            return false;
        keys.setProcessEnvironment(x.environment());
        keys.start("xev", {"-id", id, "-event", "keyboard"});
        if (!keys.waitForStarted(5000))
            return false;
        QElapsedTimer clock;
        clock.start();
        while (!trace().contains("MenuOff") && clock.elapsed() < 10000)
            QTest::qWait(20);
        return trace().contains("MenuOff");
    }
    ~Session()
    {
        keys.kill();
        keys.waitForFinished(3000);
    }

    QStringList trace() const { return TraceFile::read(dir.filePath("trace.log")); }
    QString errors() { return panel->errorOutput(); }

    // One step of a person at the panel: "click X Y", "wheel-up X Y", "wheel-down X Y",
    // "drag X Y X2 Y2", "key K...", "keydown K", "keyup K"; "repeat K" waits until the
    // server has auto-repeated the held key K; "mark" clicks preset key 8.
    bool act(const QString &step)
    {
        QStringList words = step.split(' ');
        const QString verb = words.takeFirst();
        const auto at = [this](const QStringList &xy) {
            return QStringList{"mousemove", "--window", id, xy.value(0), xy.value(1)};
        };
        bool ok = false;
        if (verb == "mark")
            return act("click 446 403");
        if (verb == "repeat")
            return waitForRepeats(words.value(0));
        // Keys heard so far are of earlier steps.
        keys.readAllStandardOutput();
        heard.clear();
        if (verb == "click")
            x.xdotool(at(words) << "click"
                                << "1",
                      &ok);
        else if (verb == "wheel-up" || verb == "wheel-down")
            x.xdotool(at(words) << "click" << (verb == "wheel-up" ? "4" : "5"), &ok);
        else if (verb == "drag")
            x.xdotool(at(words) << "mousedown"
                                << "1" << at(words.mid(2)) << "mouseup"
                                << "1",
                      &ok);
        else
            x.xdotool(QStringList{verb} + words, &ok);
        return ok;
    }

    // The lines sent since the last call, connecting left out, up to the `marks`-th mark.
    QStringList sentUntilMark(int marks)
    {
        QElapsedTimer clock;
        clock.start();
        QStringList lines;
        while ((lines = trace().mid(seen)).count(Mark) < marks && clock.elapsed() < 10000)
            QTest::qWait(20);
        QStringList sent;
        int found = 0;
        for (const QString &line : lines) {
            ++seen;
            if (!isConnecting(line))
                sent << line;
            if (line == Mark && ++found == marks)
                break;
        }
        return sent;
    }

private:
    bool waitForRepeats(const QString &key)
    {
        // Presses of the key already held, from the server's own auto-repeat.
        const QString pressOfKey = QStringLiteral(", %1), same_screen").arg(key);
        QElapsedTimer clock;
        clock.start();
        int presses = 0;
        while (presses < 3 && clock.elapsed() < 10000) {
            keys.waitForReadyRead(50);
            heard += QString::fromLocal8Bit(keys.readAllStandardOutput());
            presses = 0;
            for (const QString &event : heard.split("\n\n"))
                presses += event.contains("KeyPress event") && event.contains(pressOfKey);
        }
        return presses >= 3;
    }

    XSession x;
    QTemporaryDir dir;
    std::unique_ptr<PanelProcess> panel;
    QProcess keys;
    QString heard;
    QString id;
    int seen = 0;
};

} // namespace

class tst_E2eInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase() { session.reset(); }
    void keysSteerTheCamera_data();
    void keysSteerTheCamera();
    void slidersSendEveryChange_data();
    void slidersSendEveryChange();
    void choicesReachTheCamera_data();
    void choicesReachTheCamera();

private:
    void runSteps();

    // One panel for all rows of a test function, as a person keeps using one.
    std::unique_ptr<Session> session;
    QByteArray sessionOf;
};

void tst_E2eInput::init()
{
    if (sessionOf == QTest::currentTestFunction())
        return;
    session.reset();
    sessionOf = QTest::currentTestFunction();
    const bool sliders = sessionOf == "slidersSendEveryChange";
    session = std::make_unique<Session>(sliders ? Camera : QByteArray());
    QVERIFY2(session->start(), qPrintable(session->errors()));
    if (sliders) {
        // The image panel open, its values as the camera has them.
        QVERIFY(session->act("click " + FoldKey));
        QVERIFY(session->act("mark"));
        QCOMPARE(session->sentUntilMark(1), QStringList{Mark});
    }
}

void tst_E2eInput::runSteps()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, sent);
    QVERIFY(session);
    for (const QString &step : steps)
        QVERIFY2(session->act(step), qPrintable(step));
    QVERIFY(session->act("mark"));
    const QStringList got = session->sentUntilMark(int(sent.count(Mark)) + 1);
    QVERIFY2(got == sent + QStringList{Mark}, qPrintable(got.join(", ")));
}

void tst_E2eInput::keysSteerTheCamera_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sent");
    // The rows run in order on one panel, as a person goes on using it.
    QTest::newRow("the arrows after a first click on an empty part of the panel")
        << QStringList{"click " + EmptyOfMotionPanel, "keydown Right", "keyup Right"}
        << QStringList{"PanRight 12"} + Stops;
    QTest::newRow("a click on an empty part takes the keys from a field")
        << QStringList{"click " + PanField, "key 5", "click " + EmptyOfMotionPanel, "keydown Left",
                       "keyup Left"}
        << QStringList{"PanLeft 12"} + Stops;
    QTest::newRow("Escape takes them from a field")
        << QStringList{"click " + PanField, "key Escape", "keydown Up", "keyup Up"}
        << QStringList{"TiltUp 8"} + Stops;
    QTest::newRow("the zoom lever keeps no keys")
        << QStringList{"click " + ZoomLever, "keydown Down", "keyup Down"}
        << QStringList{"ZoomStop", "TiltDown 8"} + Stops;
    QTest::newRow("+ with Shift let go first, then -: the same speed, each stops")
        << QStringList{"keydown shift", "keydown equal", "keyup shift",
                       "keyup equal",   "keydown minus", "keyup minus"}
        << QStringList{"ZoomIn 4", "ZoomStop", "ZoomOut 4", "ZoomStop"};
    QTest::newRow("an arrow held past the auto-repeat delay moves until let go")
        << QStringList{"keydown Right", "repeat Right", "mark", "keyup Right"}
        << QStringList{"PanRight 12", Mark} + Stops;
    QTest::newRow("+ held past it, Shift let go first")
        << QStringList{"keydown shift", "keydown equal", "repeat plus", "keyup shift",
                       "repeat equal",  "mark",          "keyup equal"}
        << QStringList{"ZoomIn 4", Mark, "ZoomStop"};
}

void tst_E2eInput::keysSteerTheCamera()
{
    runSteps();
}

void tst_E2eInput::slidersSendEveryChange_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sent");
    // Each row starts from the camera's defaults, which Reset brings back without sending a
    // value of its own.
    const auto fromDefaults = [](const QStringList &steps) {
        return QStringList{"click " + ResetKey} + steps;
    };
    const QStringList reset = {"RestoreImageDefaults"};
    QTest::newRow("a drag, once") << fromDefaults({"drag " + Brightness + " 300 28"})
                                  << reset + QStringList{"SetBrightness 100"};
    QTest::newRow("keys on the handle just clicked")
        << fromDefaults({"click " + Brightness, "key Right Right Prior End Home"})
        << reset + QStringList{"SetBrightness 51", "SetBrightness 52", "SetBrightness 62",
                               "SetBrightness 100", "SetBrightness 0"};
    QTest::newRow("the wheel, in the camera's steps and a page at most")
        << fromDefaults({"wheel-up " + Hue, "wheel-up " + Hue, "wheel-down " + Hue})
        << reset + QStringList{"SetHue 5", "SetHue 10", "SetHue 5"};
    QTest::newRow("a click on the groove, then Escape gives the arrows back")
        << fromDefaults({"click " + BrightnessGrooveEnd, "key Escape", "key Right"})
        << reset + QStringList{"SetBrightness 60", "PanRight 12"} + Stops;
    QTest::newRow("a click on an empty part of the image panel too")
        << fromDefaults({"click " + Hue, "click " + EmptyOfImagePanel, "key Left"})
        << reset + QStringList{"PanLeft 12"} + Stops;
    QTest::newRow("at the end of the range nothing changes, nothing is sent")
        << fromDefaults({"click " + BrightnessGrooveEnd, "key End End Right"})
        << reset + QStringList{"SetBrightness 60", "SetBrightness 100"};
}

void tst_E2eInput::slidersSendEveryChange()
{
    runSteps();
}

void tst_E2eInput::choicesReachTheCamera_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sent");
    // The built-in camera pans -1700..1700 and tilts -300..900.
    const auto type = [](const QString &field, const QString &text) {
        return QStringList{"click " + field, "key ctrl+a", "type -- " + text};
    };
    QTest::newRow("SET/PT takes no letters and sends no tilt past the camera's")
        << type(PanField, "abc") + type(TiltField, "99999") + QStringList{"click " + SetKey}
        << QStringList{};
    QTest::newRow("a position it reaches goes out, pan and tilt")
        << type(TiltField, "-30") + type(PanField, "120") + QStringList{"click " + SetKey}
        << QStringList{"SetPanPosition 120", "SetTiltPosition -30"};
    // Opened first, as in the slider tests: the panel slides open meanwhile.
    QTest::newRow("the image panel opened") << QStringList{"click " + FoldKey} << QStringList{};
    QTest::newRow("anti-flicker OFF from the selector")
        << QStringList{"click " + FlickerSelector, "key Up Return"} << QStringList{"SetFlicker 0"};
}

void tst_E2eInput::choicesReachTheCamera()
{
    runSteps();
}

QTEST_GUILESS_MAIN(tst_E2eInput)
#include "tst_e2e_input.moc"
