// SPDX-License-Identifier: GPL-2.0-or-later
// The command line: each command without a panel (straight through the library), the same
// handed to a running panel (through its slots, so its window follows), exit statuses and
// the one line on stderr, and a second start that shows the first panel instead.
#include "Command.h"
#include "InstanceServer.h"
#include "LocalMessage.h"
#include "PanelCommands.h"
#include "PanelHarness.h"
#include "ViscaEmulator.h"

#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <csignal>
#include <optional>

namespace {

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// Runs the real program; the event loop keeps turning, so an in-process panel can answer.
Run ptzPanel(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(PTZ_PANEL_PATH), arguments);
    QSignalSpy finished(&process, SIGNAL(finished(int, QProcess::ExitStatus)));
    // It may have ended within waitForStarted already.
    if (!process.waitForStarted(5000) || (finished.isEmpty() && !finished.wait(20000)))
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void withoutAPanel_data();
    void withoutAPanel();
    void stopSignalEndsTheMotion_data();
    void stopSignalEndsTheMotion();
    void handedToTheRunningPanel_data();
    void handedToTheRunningPanel();
    void answersOfAnEarlierPanel();
    void secondStartShowsTheFirst();
    void namesReachTheTerminalEscaped();
    void presetThatCannotBeKept();
    void firstCauseFirst_data();
    void firstCauseFirst();
    void presetRefusals_data();
    void presetRefusals();
    void presetsExportedAndImported();
    void withoutADisplay_data();
    void withoutADisplay();
    void helpManualAndReadmeAgree();

private:
    QTemporaryDir runtime;
};

void tst_Cli::initTestCase()
{
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
}

void tst_Cli::withoutAPanel_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("sent"); // trace lines beyond connecting, in order
    QTest::addColumn<QString>("err");

    const QStringList stop = {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};
    QTest::newRow("list") << QStringList{"--list"} << 0 << "0 Desk\n1 Hall\n"
                          << QStringList{} << "";
    QTest::newRow("store and recall") << QStringList{"--store", "2", "--preset", "2"} << 0 << ""
                                      << QStringList{"SetPreset 2", "CallPreset 2"} << "";
    QTest::newRow("an unknown preset") << QStringList{"--preset", "7"} << 1 << ""
                                       << QStringList{"CallPreset 7"} << "preset 7 is not stored";
    QTest::newRow("the second camera, by name")
        << QStringList{"--camera", "Hall", "--home"} << 0 << "" << QStringList{"Home"} << "";
    QTest::newRow("no such camera")
        << QStringList{"--camera", "9"} << 1 << "" << QStringList{} << "no camera 9 is attached";
    QTest::newRow("image values")
        << QStringList{"--brightness", "12", "--white-balance-auto", "on", "--flicker", "60"} << 0
        << "" << QStringList{"SetBrightness 12", "SetWhiteBalanceAuto 1", "SetFlicker 2"} << "";
    QTest::newRow("out of the camera's range") << QStringList{"--brightness", "300"} << 1 << ""
                                               << QStringList{} << "brightness goes from 0 to 255";
    QTest::newRow("anti-flicker off")
        << QStringList{"--flicker", "off"} << 0 << "" << QStringList{"SetFlicker 0"} << "";
    QTest::newRow("anti-flicker off where there is none")
        << QStringList{"--camera", "Hall", "--flicker", "off"} << 1 << "" << QStringList{}
        << "Hall cannot switch anti-flicker off";
    // Beyond 16 bits: once wrapped to pan 100, tilt 0 on a network camera.
    QTest::newRow("a position past the camera's")
        << QStringList{"--position", "65636,-65536"} << 2 << "" << QStringList{}
        << "pan goes from -1700 to 1700 on Desk";
    QTest::newRow("a tilt past the camera's")
        << QStringList{"--position", "0,901"} << 2 << "" << QStringList{}
        << "tilt goes from -300 to 900 on Desk";
    QTest::newRow("a diagonal for a while")
        << QStringList{"--move", "up-left", "--speed", "2", "--for", "0.1"} << 0 << ""
        << QStringList{"PanLeft 6", "TiltUp 4"} + stop << "";
    QTest::newRow("zoom out for a while")
        << QStringList{"--zoom", "out", "--speed", "3", "--for", "0.1"} << 0 << ""
        << QStringList{"ZoomOut 3", "ZoomStop"} << "";
    QTest::newRow("position and back")
        << QStringList{"--position", "30,-5", "--get-position"} << 0 << "30,-5\n"
        << QStringList{"SetPanPosition 30", "SetTiltPosition -5", "AskPosition"} << "";
    QTest::newRow("a speed without a move")
        << QStringList{"--speed", "3"} << 2 << "" << QStringList{} << "usage: ptz-panel";
    QTest::newRow("an unknown option")
        << QStringList{"--pan", "3"} << 2 << "" << QStringList{} << "unknown option --pan";
    // Caught before anything is sent.
    for (const char *typo : {"-v", "-V", "-x", "-list"})
        QTest::newRow(typo) << QStringList{typo} << 2 << "" << QStringList{}
                            << QString("unknown option ") + typo;
    QTest::newRow("Qt's own option")
        << QStringList{"-style", "fusion", "--home"} << 0 << "" << QStringList{"Home"} << "";
    for (const char *seconds : {"nan", "inf", "-inf", "1e400"})
        QTest::newRow(qPrintable(QString("for %1 seconds").arg(seconds)))
            << QStringList{"--move", "left", "--for", seconds} << 2 << "" << QStringList{}
            << "--for needs a number of seconds";
    QTest::newRow("two cameras in one") << QStringList{"--add-camera", "X;Y,udp,h"} << 1 << ""
                                        << QStringList{} << "cannot hold \";\"";
    // Hall alone cannot switch anti-flicker off: --on reached it, and Desk after it again.
    QTest::newRow("--on another camera")
        << QStringList{"--flicker", "off", "--on", "Hall", "--flicker", "off"} << 1 << ""
        << QStringList{"SetFlicker 0"} << "Hall cannot switch anti-flicker off";
    QTest::newRow("--on by index, then back")
        << QStringList{"--on", "1", "--home", "--on", "0", "--flicker", "off"} << 0 << ""
        << QStringList{"Home", "SetFlicker 0"} << "";
    QTest::newRow("--on a camera that is not there")
        << QStringList{"--on", "Attic", "--home"} << 1 << "" << QStringList{}
        << "no camera Attic is attached";
    QTest::newRow("tally on the lamp")
        << QStringList{"--tally", "program"} << 0 << "" << QStringList{"SetTally 2"} << "";
    QTest::newRow("a tally without a lamp") << QStringList{"--on", "Hall", "--tally", "preview"}
                                            << 1 << "" << QStringList{} << "Hall has no tally lamp";
    QTest::newRow("an unknown tally")
        << QStringList{"--tally", "red"} << 2 << "" << QStringList{} << "--tally needs off";
    // Without a panel the command waits for the picture, which would be lost with the camera
    // closed at once.
    QTest::newRow("a picture taken again")
        << QStringList{"--store", "2", "--retake-picture", "2"} << 0 << ""
        << QStringList{"SetPreset 2", "RetakePresetPicture 2"} << "";
    QTest::newRow("the picture of a preset not stored")
        << QStringList{"--retake-picture", "7"} << 1 << "" << QStringList{}
        << "preset 7 is not stored";
    QTest::newRow("the board among commands")
        << QStringList{"--board", "--home"} << 2 << "" << QStringList{}
        << "--board shows the panel's preset board";
    QTest::newRow("a panel's option among commands")
        << QStringList{"--osc", "9000", "--home"} << 2 << "" << QStringList{}
        << "--osc is for starting the panel";
    const QStringList still = {"SetPanTiltPosition 0 0 1 1", "SetZoomPosition 0"};
    const QStringList whereFrom = {"GetPanPosition", "GetTiltPosition", "GetZoomPosition"};
    // Without a panel the command waits for the glide: four steps in 0.2 s.
    QTest::newRow("a preset by name, over a time")
        << QStringList{"--store",  "2",      "--name-preset", "2",  "Pulpit",
                       "--preset", "pulpit", "--duration",    "0.2"}
        << 0 << ""
        << QStringList{"SetPreset 2", "WritePreset 2"} + whereFrom + still + still + still + still
        << "";
    QTest::newRow("a preset's own speed")
        << QStringList{"--store", "2", "--speed", "8", "--preset", "2"} << 0 << ""
        << QStringList{"SetPreset 2", "WritePreset 2"} + whereFrom + still << "";
    QTest::newRow("the presets listed")
        << QStringList{"--store", "2", "--name-preset", "2", "Pulpit",
                       "--store", "5", "--list-presets"}
        << 0 << "2 stored 0,0,0 - Pulpit\n5 stored 0,0,0 - \n"
        << QStringList{"SetPreset 2", "WritePreset 2", "SetPreset 5"} << "";
    // 64 characters, 128 bytes: a name's limit is in characters.
    const QString chorale = QString(64, QChar(0xe9));
    QTest::newRow("a long name beyond ASCII")
        << QStringList{"--store", "2", "--name-preset", "2", chorale, "--list-presets"} << 0
        << "2 stored 0,0,0 - " + chorale + "\n"
        << QStringList{"SetPreset 2", "WritePreset 2"} << "";
    // Each camera of a shot on a session of its own; the tour's one step over in 0.1 s.
    QTest::newRow("a shot and a tour")
        << QStringList{"--store",       "2", "--on", "Hall",   "--store", "2",
                       "--define-shot", "S", "0:2",  "Hall:2", "--shot",  "S",
                       "--define-tour", "T", "Hall", "2:0.1",  "--tour",  "T"}
        << 0 << "Desk moved\nHall moved\n"
        << QStringList{"SetPreset 2", "SetPreset 2", "CallPreset 2", "CallPreset 2", "CallPreset 2"}
        << "";
    const auto refused = [](const char *name, QStringList arguments, const char *err) {
        QTest::newRow(name) << arguments << 2 << "" << QStringList{} << err;
    };
    refused("a preset's speed past 8", {"--preset", "2", "--speed", "9"},
            "--speed needs a number from 1 to 8");
    refused("a glide too short", {"--preset", "2", "--duration", "0.05"},
            "--duration needs a number of seconds from 0.1 to 60");
    refused("a glide of nan seconds", {"--preset", "2", "--duration", "nan"},
            "--duration needs a number of seconds from 0.1 to 60");
    refused("speed and duration", {"--preset", "2", "--speed", "3", "--duration", "2"},
            "either --speed or --duration");
    refused("a duration for a store", {"--store", "2", "--duration", "2"},
            "--duration belongs after a --preset");
    refused("a name too long", {"--name-preset", "2", QString(65, 'x')}, "at most 64 characters");
    refused("a name with a tab", {"--name-preset", "2", "a\tb"}, "no control characters");
    QTest::newRow("a name that steers the terminal")
        << QStringList{"--camera", "\x1b]0;pwned\x07"} << 1 << "" << QStringList{}
        << "no camera \\x1b]0;pwned\\x07 is attached";
}

void tst_Cli::withoutAPanel()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QStringList, sent);
    QFETCH(QString, err);
    SimCameras cameras;
    cameras.plug("a.cam", "name=Desk\n");
    cameras.plug("b.cam", "name=Hall\nflicker=1,3,1,1,1,1\nlacks=tally\n");
    TraceFile trace;
    const Run run = ptzPanel(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    QVERIFY2(run.err.contains(err) && run.err.count('\n') <= (exitCode == 2 ? 8 : 1),
             qPrintable(run.err));
    // The usage is for a command line that is wrong, not for a value the camera cannot take.
    QCOMPARE(run.err.contains("usage: ptz-panel"), exitCode == 2 && !err.contains(" goes from "));
    // What was sent once the camera was connected.
    QStringList lines = trace.lines();
    for (const char *connecting :
         {"CreateDevice 0", "Initial", "EnumUSBDevices", "Close", "ReadParameters"})
        lines.removeAll(connecting);
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString &l) { return l.startsWith("Open "); }),
                lines.end());
    QCOMPARE(lines, sent);
}

void tst_Cli::stopSignalEndsTheMotion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("under"); // the trace line that shows the motion under way
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("last"); // how the trace ends

    const QStringList stop = {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};
    // Until the signal, the untimed move has no other end: the line goes on after it.
    QTest::newRow("an untimed move") << QStringList{"--move", "up", "--home"} << "TiltUp 8"
                                     << SIGINT << 0 << stop + QStringList{"Home", "Close"};
    QTest::newRow("a timed move") << QStringList{"--move", "up", "--for", "60", "--home"}
                                  << "TiltUp 8" << SIGTERM << 128 + SIGTERM
                                  << stop + QStringList{"Close"};
    // A timed move before it once left the signals held back for good.
    QTest::newRow("a glide after a timed move")
        << QStringList{"--move",   "up", "--for",      "0.1", "--store", "2",
                       "--preset", "2",  "--duration", "60",  "--home"}
        << "SetPanTiltPosition" << SIGINT << 128 + SIGINT << QStringList{"Close"};
}

void tst_Cli::stopSignalEndsTheMotion()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, under);
    QFETCH(int, signal);
    QFETCH(int, exitCode);
    QFETCH(QStringList, last);
    SimCameras cameras;
    cameras.plug("a.cam", "name=Desk\n");
    TraceFile trace;
    QProcess process;
    process.start(QStringLiteral(PTZ_PANEL_PATH), arguments);
    QVERIFY(process.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(trace.lines().filter(under).size() > 0, 10000);
    QCOMPARE(::kill(pid_t(process.processId()), signal), 0);
    // Well before the minute the motion would take.
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(process.readAllStandardError().contains("interrupted"), exitCode != 0);
    const QStringList lines = trace.lines();
    QCOMPARE(lines.mid(lines.size() - last.size()), last);
    QCOMPARE(lines.contains("Home"), exitCode == 0);
}

void tst_Cli::presetRefusals_data()
{
    // Wrong, but not a wrong command line: no usage, and nothing sent after it.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("err");
    QTest::newRow("an unknown name")
        << QStringList{"--preset", "Choir", "--home"} << "no preset of Desk is named Choir";
    QTest::newRow("a name twice") << QStringList{"--name-preset", "1", "Choir",
                                                 "--name-preset", "2", "choir",
                                                 "--home"}
                                  << "preset 1 is named choir already";
}

void tst_Cli::presetRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, err);
    SimCameras cameras;
    cameras.plug("a.cam", "name=Desk\n");
    TraceFile trace;
    const Run run = ptzPanel(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(err) && !run.err.contains("usage"), qPrintable(run.err));
    QVERIFY(!trace.lines().contains("Home"));
}

void tst_Cli::presetsExportedAndImported()
{
    // The presets of one run, exported, come back in another (the simulated camera keeps its
    // presets only while the process runs, as a camera that lost them would).
    SimCameras cameras;
    cameras.plug("a.cam", "name=Desk\n");
    QTemporaryDir dir;
    const QString file = dir.filePath("room.json");
    Run run = ptzPanel({"--position", "40,10", "--store", "3", "--speed", "5", "--name-preset", "3",
                        "Pulpit", "--export-presets", file});
    QCOMPARE(run.exitCode, 0);
    run = ptzPanel({"--import-presets", file, "--list-presets"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString("3 stored 40,10,0 5 Pulpit\n"));
    QCOMPARE(run.err, QString());

    // The picture goes with the preset; one that cannot be used is left out, and said: the
    // preset is there, as asked.
    QFile exported(file);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(exported.readAll());
    QVERIFY(text.contains(QRegularExpression(R"("picture": "/9j/)"))); // a JPEG's first bytes
    QFile damaged(dir.filePath("damaged.json"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(
        text.replace(QRegularExpression(R"("picture": "[^"]*")"), R"("picture": "AAAA")").toUtf8());
    damaged.close();
    run = ptzPanel({"--import-presets", damaged.fileName(), "--list-presets"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString("3 stored 40,10,0 5 Pulpit\n"));
    QVERIFY2(run.err.contains("the picture of preset 3 could not be used; the preset is imported "
                              "without it"),
             qPrintable(run.err));

    // A file that does not parse says where, and changes nothing.
    QFile broken(dir.filePath("broken.json"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"cameras\": [\n  {\"camera\": \"Desk\", \"presets\": [}\n]}\n");
    broken.close();
    run = ptzPanel({"--store", "1", "--import-presets", broken.fileName()});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("line 2, column"), qPrintable(run.err));
    // One preset that is wrong keeps the others out too.
    QFile wrong(dir.filePath("wrong.json"));
    QVERIFY(wrong.open(QIODevice::WriteOnly));
    wrong.write(R"({"cameras": [{"camera": "Desk", "presets": [
        {"preset": 1, "name": "Good", "pan": 5, "tilt": 0},
        {"preset": 2, "speed": 12}]}]})");
    wrong.close();
    run = ptzPanel({"--import-presets", wrong.fileName(), "--list-presets"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("preset 2"), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    // Another camera's file has nothing for this one.
    cameras.plug("a.cam", "name=Hall\n");
    run = ptzPanel({"--import-presets", file});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("holds no presets of Hall"), qPrintable(run.err));
}

void tst_Cli::handedToTheRunningPanel_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("brightness") << QStringList{"--brightness", "40"} << 0 << ""
                                << QStringList{"SetBrightness 40"};
    QTest::newRow("preset not stored")
        << QStringList{"--preset", "3"} << 1 << "" << QStringList{"CallPreset 3"};
    QTest::newRow("preset") << QStringList{"--store", "3", "--preset", "3"} << 0 << ""
                            << QStringList{"SetPreset 3", "CallPreset 3"};
    const QStringList stops = {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop",
                               "ZoomStop"};
    QTest::newRow("move, then stop") << QStringList{"--move", "right", "--speed", "2", "--stop"}
                                     << 0 << "" << QStringList{"PanRight 6"} + stops;
    QTest::newRow("a slow move after a fast one starts slow")
        << QStringList{"--move", "up-right", "--speed", "8",     "--move",
                       "left",   "--speed",  "1",       "--stop"}
        << 0 << ""
        << QStringList{"PanRight 24", "TiltUp 16", "TiltUpStop", "TiltDownStop", "PanLeft 3"} +
               stops;
    QTest::newRow("zoom in") << QStringList{"--zoom", "in", "--speed", "5"} << 0 << ""
                             << QStringList{"ZoomIn 5"};
    QTest::newRow("where") << QStringList{"--position", "12,3", "--get-position"} << 0 << "12,3\n"
                           << QStringList{"SetPanPosition 12", "SetTiltPosition 3", "AskPosition"};
    QTest::newRow("list") << QStringList{"--list"} << 0 << "0 Simulated PTZ camera\tanswering\n"
                          << QStringList{};
    QTest::newRow("refused") << QStringList{"--gamma", "9999"} << 1 << "" << QStringList{};
    QTest::newRow("anti-flicker off")
        << QStringList{"--flicker", "off"} << 0 << "" << QStringList{"SetFlicker 0"};
    QTest::newRow("a position past the camera's")
        << QStringList{"--position", "65636,-65536"} << 2 << "" << QStringList{};
    QTest::newRow("tally") << QStringList{"--tally", "preview"} << 0 << ""
                           << QStringList{"SetTally 1"};
    // The window's own camera, named, goes through the window.
    QTest::newRow("--on the window's camera") << QStringList{"--on", "0", "--brightness", "40"} << 0
                                              << "" << QStringList{"SetBrightness 40"};
    QTest::newRow("--on a camera that is not there")
        << QStringList{"--on", "Attic", "--home"} << 1 << "" << QStringList{};
}

void tst_Cli::handedToTheRunningPanel()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QStringList, sent);
    PanelHarness h;
    QVERIFY(h.start());
    PanelCommands panel(h.window());
    InstanceServer instance;
    QVERIFY(instance.claim());
    QVERIFY(instance.serve([&](const QStringList &handed, InstanceServer::Reply reply) {
        panel.runAll(handed, std::move(reply));
    }));
    const Run run = ptzPanel(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    // The command line was checked before it was handed over: no usage, a value's range at most.
    QVERIFY2(!run.err.contains("usage: ptz-panel"), qPrintable(run.err));
    QStringList lines = h.trace.take();
    lines.removeAll("ChangePresetno");
    QCOMPARE(lines, sent);
    if (arguments.first() == "--brightness") // the window shows what was set
        QCOMPARE(h.child<QSlider>("Slider_Brightness")->value(), 40);
    QCOMPARE(h.boxes.count(), 0);
}

void tst_Cli::answersOfAnEarlierPanel()
{
    // A panel still running from before an update answers without the cause.
    QByteArray earlier;
    QDataStream(&earlier, QIODevice::WriteOnly) << qint32(2) << QString() << QString("bad");
    Outcome outcome;
    QCOMPARE(LocalMessage::readAnswer(earlier, outcome), LocalMessage::Incomplete);
    QCOMPARE(LocalMessage::readAnswer(earlier, outcome, true), LocalMessage::Complete);
    QCOMPARE(outcome.cause, Outcome::Usage);
    const QByteArray now = LocalMessage::answer(Outcome::outOfRange("too far"));
    QCOMPARE(LocalMessage::readAnswer(now, outcome), LocalMessage::Complete);
    QCOMPARE(outcome.cause, Outcome::BadValue);
    QCOMPARE(outcome.exitCode, 2);
    QByteArray unknown = earlier;
    QDataStream(&unknown, QIODevice::Append) << qint32(99);
    QCOMPARE(LocalMessage::readAnswer(unknown, outcome, true), LocalMessage::Malformed);
}

void tst_Cli::secondStartShowsTheFirst()
{
    PanelHarness h;
    QVERIFY(h.start());
    PanelCommands panel(h.window());
    InstanceServer instance;
    QVERIFY(instance.claim());
    QVERIFY(instance.serve([&](const QStringList &handed, InstanceServer::Reply reply) {
        panel.runAll(handed, std::move(reply));
    }));
    h.window().hide();
    const Run run = ptzPanel({});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(h.window().isVisible());
    QCOMPARE(h.trace.take(), QStringList()); // no second panel, no second camera
}

void tst_Cli::namesReachTheTerminalEscaped()
{
    SimCameras cameras;
    cameras.plug("a.cam", "name=\x1b[2J\x1b]0;pwned\x07"
                          "Desk\x7f\xc2\x9b\n");
    const Run run = ptzPanel({"--list"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString("0 \\x1b[2J\\x1b]0;pwned\\x07Desk\\x7f\\x9b\n"));
}

void tst_Cli::presetThatCannotBeKept()
{
    // A camera without a preset memory of its own, and a configuration "directory" that is a
    // file: the preset cannot be written.
    SimCameras cameras;
    cameras.plug("a.cam", "name=Desk\npresets=library\n");
    QTemporaryFile notADirectory;
    QVERIFY(notADirectory.open());
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", notADirectory.fileName().toLocal8Bit());
    const Run store = ptzPanel({"--store", "3"});
    qputenv("XDG_CONFIG_HOME", config);
    QCOMPARE(store.exitCode, 1);
    QVERIFY2(store.err.contains("Desk could not store preset 3") &&
                 store.err.contains("is not stored: cannot write"),
             qPrintable(store.err));
    // Where it can be written, it is kept for the next command.
    QCOMPARE(ptzPanel({"--store", "4"}).exitCode, 0);
    QCOMPARE(ptzPanel({"--preset", "4"}).exitCode, 0);
}

void tst_Cli::firstCauseFirst_data()
{
    QTest::addColumn<bool>("handed");
    QTest::addColumn<QString>("camera");
    QTest::addColumn<QString>("err");
    for (const bool handed : {false, true}) {
        const char *how = handed ? "handed over" : "without a panel";
        QTest::newRow(qPrintable(QString("silent network camera, %1").arg(how)))
            << handed << "Stage"
            << "Stage does not answer";
        QTest::newRow(qPrintable(QString("camera without presets, %1").arg(how)))
            << handed << "Desk"
            << "Desk cannot keep presets";
    }
}

void tst_Cli::firstCauseFirst()
{
    QFETCH(bool, handed);
    QFETCH(QString, camera);
    QFETCH(QString, err);
    ViscaEmulator stage;
    stage.change([](auto &c) { c.silent = true; });
    qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(stage.line("Stage", false)));
    const auto cleanup = qScopeGuard([] { qunsetenv("CAMERACTRL_VISCA"); });
    std::unique_ptr<PanelHarness> h;
    std::unique_ptr<PanelCommands> panel;
    InstanceServer instance;
    if (handed) {
        h = std::make_unique<PanelHarness>(std::initializer_list<std::pair<QString, QByteArray>>{
            {"a.cam", "name=Desk\nlacks=presets\n"}});
        QVERIFY(h->start());
        panel = std::make_unique<PanelCommands>(h->window());
        QVERIFY(instance.claim());
        QVERIFY(instance.serve([&](const QStringList &a, InstanceServer::Reply reply) {
            panel->runAll(a, std::move(reply));
        }));
    }
    std::optional<SimCameras> cameras; // the panel's own are where it looks
    if (!handed)
        cameras.emplace().plug("a.cam", "name=Desk\nlacks=presets\n");
    const Run run = ptzPanel({"--camera", camera, "--preset", "1"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(err) && !run.err.contains("usage"), qPrintable(run.err));
}

void tst_Cli::withoutADisplay_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("said");
    QTest::newRow("none at all") << QStringList{} << "no display";
    QTest::newRow("an X server that is not there")
        << QStringList{"DISPLAY=:4093"} << "cannot open the display";
    QTest::newRow("no compositor")
        << QStringList{"QT_QPA_PLATFORM=wayland"} << "cannot reach the Wayland compositor";
    QTest::newRow("neither of two") << QStringList{"QT_QPA_PLATFORM=wayland;xcb"} << "no display";
}

void tst_Cli::withoutADisplay()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, said);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(variable);
    for (const QString &setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PTZ_PANEL_PATH), QStringList());
    QVERIFY(process.waitForFinished(20000));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QVERIFY2(err.startsWith("ptz-panel: " + said) && err.count('\n') == 1, qPrintable(err));
}

void tst_Cli::helpManualAndReadmeAgree()
{
    const Run help = ptzPanel({"--help"});
    QCOMPARE(help.exitCode, 0);
    QFile manual(PTZ_SOURCE_DIR "/packaging/ptz-panel.1.in");
    QFile readme(PTZ_SOURCE_DIR "/README.md");
    QVERIFY(manual.open(QIODevice::ReadOnly) && readme.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(manual.readAll()).replace("\\-", "-");
    const QString guide = QString::fromUtf8(readme.readAll());
    const QRegularExpression option("--[a-z][a-z-]+");
    QStringList options;
    for (auto it = option.globalMatch(help.out); it.hasNext();)
        options << it.next().captured();
    options.removeDuplicates();
    QVERIFY(options.size() > 20);
    for (const QString &o : options) {
        QVERIFY2(page.contains(o), qPrintable(o + " is not in the manual page"));
        QVERIFY2(guide.contains(o) || o == "--help" || o == "--version",
                 qPrintable(o + " is not in the README"));
    }
}

QTEST_MAIN(tst_Cli)
#include "tst_cli.moc"
