// SPDX-License-Identifier: GPL-2.0-or-later
// Shots and tours in the running panel, on two simulated cameras and a VISCA camera (the
// emulator), measured from the trace's times: a shot's cameras take their last steps
// together, a tour dwells as long as asked and ends at anything else, bad input moves
// nothing, a camera on program or gone is named while the others move, a broken file is set
// aside, and shots travel with the presets' exports.
#include "PanelCommands.h"
#include "PanelHarness.h"
#include "ShowBook.h"
#include "StderrCapture.h"
#include "ViscaEmulator.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <optional>

class tst_Shots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void camerasArriveTogether();
    void badInputMovesNothing_data();
    void badInputMovesNothing();
    void tourDwellsAndGivesWay();
    void cameraOnProgramOrGone();
    void brokenFileSetAside_data();
    void brokenFileSetAside();
    void shotsTravelWithThePresets();

private:
    Outcome run(const QStringList &arguments);
    int told(const char *type, const char *action) const;

    std::unique_ptr<ViscaEmulator> stage;
    std::unique_ptr<PanelHarness> h;
    std::unique_ptr<PanelCommands> panel;
    std::unique_ptr<QSignalSpy> events;
    QString config;
};

void tst_Shots::initTestCase()
{
    qputenv("CAMERACTRL_TRACE_TIME", "1");
    config = qEnvironmentVariable("XDG_CONFIG_HOME") + "/ptz-panel";
}

void tst_Shots::init()
{
    QDir(config).removeRecursively();
    stage = std::make_unique<ViscaEmulator>();
    qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(stage->line("Stage", true)));
    h = std::make_unique<PanelHarness>(std::initializer_list<std::pair<QString, QByteArray>>{
        {"a.cam", "name=Alpha\n"}, {"b.cam", "name=Beta\n"}});
    QVERIFY(h->start());
    panel = std::make_unique<PanelCommands>(h->window());
    events = std::make_unique<QSignalSpy>(&panel->events(), &ShowEvents::happened);
    // Each camera's preset 1 somewhere no other camera's path goes; the VISCA camera is
    // given time to tell where it is.
    QCOMPARE(run({"--on", "Alpha", "--position", "200,50", "--on", "Beta", "--position", "-200,-50",
                  "--on", "Stage", "--position", "300,100"})
                 .error,
             QString());
    QTest::qWait(300);
    QStringList stores;
    for (const char *camera : {"Alpha", "Beta", "Stage"})
        stores << "--on" << camera << "--store"
               << "1"
               << "--position"
               << "0,0";
    QCOMPARE(run(stores).error, QString());
    QTest::qWait(300);
}

void tst_Shots::cleanup()
{
    events.reset();
    panel.reset();
    h.reset();
    stage.reset();
    qunsetenv("CAMERACTRL_VISCA");
}

Outcome tst_Shots::run(const QStringList &arguments)
{
    std::optional<Outcome> done;
    panel->runAll(arguments, [&done](const Outcome &outcome) { done = outcome; });
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 10000)
        QTest::qWait(5);
    return done.value_or(Outcome::failed("no answer"));
}

int tst_Shots::told(const char *type, const char *action) const
{
    return int(std::count_if(events->begin(), events->end(), [&](const QList<QVariant> &e) {
        const QJsonObject event = e.value(0).toJsonObject();
        return event["type"] == type && event["action"] == action;
    }));
}

void tst_Shots::camerasArriveTogether()
{
    QCOMPARE(run({"--define-shot", "Sermon", "Alpha:1", "Beta:1", "Stage:1", "--duration", "3"})
                 .exitCode,
             0);
    h->trace.take();
    stage->clearReceived();
    const Outcome recalled = run({"--shot", "Sermon"});
    QCOMPARE(recalled.output, QString("Alpha moved\nBeta moved\nStage moved\narriving in 3 s\n"));
    QTRY_COMPARE_WITH_TIMEOUT(told("shot", "arrived"), 1, 10000);
    QCOMPARE(told("shot", "started"), 1);
    QCOMPARE(told("shot", "camera arrived"), 3);

    // When each camera's last step went out, and the first step of all.
    const QStringList lines = h->trace.take();
    const auto lastAt = [&](const QString &step) {
        double at = NAN;
        for (const QString &line : lines)
            if (TraceFile::callOf(line).startsWith(step))
                at = TraceFile::timeOf(line);
        return at;
    };
    const double firstStep =
        TraceFile::timeOf(lines.filter(QRegularExpression(" SetPanTiltPosition ")).value(0));
    const double last[] = {lastAt("SetPanTiltPosition 200 50 "),
                           lastAt("SetPanTiltPosition -200 -50 "),
                           lastAt("SetPanTiltPosition 300 100 ")};
    const auto [earliest, latest] = std::minmax_element(std::begin(last), std::end(last));
    qInfo("last steps %.1f ms apart; %.3f s from the first step", (*latest - *earliest) * 1000,
          *latest - firstStep);
    QVERIFY(*latest - *earliest < 0.1);
    QVERIFY(std::abs(*latest - firstStep - 2.95) < 0.1);
    // The VISCA camera was told its last step with the others, on the wire.
    double wire = NAN;
    for (const ViscaEmulator::Received &r : stage->received())
        if (r.message.size() > 3 && r.message[2] == 0x06 && r.message[3] == 0x02)
            wire = std::chrono::duration<double>(r.at.time_since_epoch()).count();
    QVERIFY2(std::abs(wire - *earliest) < 0.1 && std::abs(wire - *latest) < 0.1,
             qPrintable(QString::number(wire - *latest)));
}

void tst_Shots::badInputMovesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("why");
    const auto row = [](const char *name, const QStringList &arguments, const char *why) {
        QTest::newRow(name) << arguments << why;
    };
    row("unknown camera", {"--define-shot", "S", "Alpha:1", "Gamma:1"},
        "no camera Gamma is attached");
    row("unknown preset name", {"--define-tour", "T", "Beta", "Choir:2"},
        "no preset of Beta is named Choir");
    row("unknown shot", {"--shot", "Nope"}, "no shot Nope");
    row("unknown tour", {"--tour", "Nope"}, "no tour Nope");
    row("a duration too short", {"--define-shot", "S", "Alpha:1", "--duration", "0.05"},
        "0.1 to 600");
    row("a duration too long", {"--shot", "S", "--duration", "601"}, "0.1 to 600");
    row("a dwell too short", {"--define-tour", "T", "Alpha", "1:0.05"}, "0.1 to 600");
    row("a dwell too long", {"--define-tour", "T", "Alpha", "1:601"}, "0.1 to 600");
    row("a glide too long", {"--define-tour", "T", "Alpha", "1:2:601s"}, "0.1 to 600");
    QStringList many = {"--define-shot", "S"};
    for (int i = 0; i < 17; ++i)
        many << "Alpha:1";
    row("17 cameras", many, "from 1 to 16 cameras");
    QStringList long_ = {"--define-tour", "T", "Alpha"};
    for (int i = 0; i < 65; ++i)
        long_ << "1:1";
    row("65 steps", long_, "from 1 to 64 steps");
    row("a camera twice", {"--define-shot", "S", "Alpha:1", "0:1"}, "Alpha is in shot S twice");
    row("a name too long", {"--define-shot", QString(65, 'x'), "Alpha:1"}, "at most 64");
    row("a name with a control character", {"--tour", "a\x1b[2Jb"}, "no control characters");
}

void tst_Shots::badInputMovesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, why);
    h->trace.take();
    const Outcome refused = run(arguments);
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.error.contains(why), qPrintable(refused.error));
    const QRegularExpression motion(
        " (Set\\w*Position|CallPreset|PanLeft|PanRight|TiltUp|TiltDown|ZoomIn|ZoomOut) ");
    QCOMPARE(h->trace.take().filter(motion), QStringList());
    QVERIFY(!QFile::exists(config + "/shots.json") && !QFile::exists(config + "/tours.json"));
}

void tst_Shots::tourDwellsAndGivesWay()
{
    QCOMPARE(
        run({"--on", "Beta", "--position", "30,0", "--store", "2", "--position", "-30,0", "--store",
             "3", "--define-tour", "Sweep", "Beta", "2:0.5:8", "3:0.5:0.4s", "--loop"})
            .exitCode,
        0);
    h->trace.take();
    QCOMPARE(run({"--tour", "Sweep"}).exitCode, 0);
    const auto rounds = [&] {
        int done = 0;
        for (const QList<QVariant> &e : *events)
            done = std::max(done, e.value(0).toJsonObject()["round"].toInt());
        return done;
    };
    QTRY_VERIFY_WITH_TIMEOUT(rounds() == 3, 20000);
    // From the trace: each dwell, from a glide's last step to the next one's first reading.
    QVector<double> dwells;
    double arrived = NAN;
    for (const QString &line : h->trace.take()) {
        const QString call = TraceFile::callOf(line);
        if (call.startsWith("SetPanTiltPosition") || call.startsWith("SetZoomPosition"))
            arrived = TraceFile::timeOf(line);
        else if (call == "GetPanPosition" && !std::isnan(arrived))
            dwells << TraceFile::timeOf(line) - arrived;
    }
    QCOMPARE(dwells.size(), 6);
    for (const double dwell : dwells)
        QVERIFY2(std::abs(dwell - 0.5) < 0.1, qPrintable(QString::number(dwell)));

    // Anything else asked of the camera ends it at once, and no step follows.
    QCOMPARE(run({"--on", "Beta", "--home"}).exitCode, 0);
    QCOMPARE(told("tour", "ended"), 1);
    const auto ended = std::find_if(events->begin(), events->end(), [](const QList<QVariant> &e) {
        return e.value(0).toJsonObject()["action"] == "ended";
    });
    QCOMPARE(ended->value(0).toJsonObject()["why"].toString(), QString("interrupted"));
    QCOMPARE(ended->value(0).toJsonObject()["by"].toString(), QString("command line"));
    QTest::qWait(1200);
    QCOMPARE(h->trace.take().filter(QRegularExpression("Position")), QStringList());
    QCOMPARE(run({"--list-tours"}).output, QString("Sweep on Beta: 2 for 0.5 s at speed 8, 3 for "
                                                   "0.5 s over 0.4 s; round and round\n"));
}

void tst_Shots::cameraOnProgramOrGone()
{
    panel->guardProgram(true);
    QCOMPARE(run({"--define-shot", "S", "Alpha:1", "Beta:1", "Stage:1", "--on", "Alpha", "--tally",
                  "program"})
                 .exitCode,
             0);
    h->cameras.unplug("b.cam");
    h->deviceChange();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->cameraNames().contains("Beta"), 5000);
    h->trace.take();
    const Outcome partly = run({"--shot", "S"});
    QCOMPARE(partly.exitCode, 1);
    QVERIFY2(partly.error.contains("Alpha did not move (Alpha is on program") &&
                 partly.error.contains("Beta did not move (no camera Beta is attached)"),
             qPrintable(partly.error));
    QCOMPARE(partly.output, QString("Stage moved\n"));
    QCOMPARE(h->trace.take().filter(" CallPreset 1").size(), 1);
    // Forced, the camera on program moves too.
    QCOMPARE(run({"--force", "--shot", "S"}).output, QString("Alpha moved\nStage moved\n"));
}

void tst_Shots::brokenFileSetAside_data()
{
    QTest::addColumn<QByteArray>("shots");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("no JSON") << QByteArray(R"({"shots": [{"name": "A", )") << QStringList{};
    QTest::newRow("one wrong among right")
        << QByteArray(R"({"shots": [{"name": "A", "cameras": [{"camera": "Alpha", "preset": 1}]},
                                     {"name": "B", "cameras": []}]})")
        << QStringList{"A"};
}

void tst_Shots::brokenFileSetAside()
{
    QFETCH(QByteArray, shots);
    QFETCH(QStringList, kept);
    QTemporaryDir dir;
    QFile file(dir.filePath("shots.json")), tours(dir.filePath("tours.json"));
    const QByteArray tour = R"({"tours": [{"name": "T", "camera": "Alpha",
                                           "steps": [{"preset": 1, "dwell": 2}]}]})";
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(shots) &&
            tours.open(QIODevice::WriteOnly) && tours.write(tour));
    file.close();
    tours.close();
    StderrCapture err;
    {
        const ShowBook book(dir.path());
        QStringList names;
        for (const auto &[name, shot] : book.all(Command::DefineShot))
            names << name;
        QCOMPARE(names, kept);
        QVERIFY(book.find(Command::DefineTour, "T"));
    }
    QFile aside(dir.filePath("shots.json.broken"));
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), shots);
    QCOMPARE(ShowBook(dir.path()).all(Command::DefineShot).size(), size_t(kept.size()));
    QCOMPARE(err.text().count("kept as"), 1);
    QVERIFY(err.text().contains("shots.json.broken"));
}

void tst_Shots::shotsTravelWithThePresets()
{
    QTemporaryDir dir;
    const QString room = dir.filePath("room.json");
    QCOMPARE(run({"--define-shot", "S", "Alpha:1", "Beta:1", "--define-tour", "T", "Alpha", "1:1",
                  "--on", "Alpha", "--export-presets", room, "--delete-shot", "S"})
                 .exitCode,
             0);
    QVERIFY(!panel->shows().book().find(Command::DefineShot, "S"));
    QCOMPARE(run({"--on", "Alpha", "--import-presets", room}).exitCode, 0);
    QVERIFY(panel->shows().book().find(Command::DefineShot, "S"));
    // A wrong shot in the file changes nothing, presets included.
    QFile file(room);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    json["shots"] = QJsonArray{QJsonObject{{"name", "X"}, {"cameras", QJsonArray{}}}};
    json["cameras"] = QJsonArray{
        QJsonObject{{"camera", "Alpha"}, {"presets", QJsonArray{QJsonObject{{"preset", 9}}}}}};
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(json).toJson()));
    file.close();
    h->trace.take();
    QCOMPARE(run({"--on", "Alpha", "--import-presets", room}).exitCode, 2);
    QVERIFY(!panel->shows().book().find(Command::DefineShot, "X"));
    QCOMPARE(h->trace.take().filter("WritePreset"), QStringList());
}

QTEST_MAIN(tst_Shots)
#include "tst_shots.moc"
