// SPDX-License-Identifier: GPL-2.0-or-later
// A glide in the real program: a preset stored with the panel's keys, named and recalled
// over a time from the command line (handed to the running panel), stepped in the trace, and
// ended at once by a touch of the joystick with the mouse; and another that arrives while its
// position is read again and again, as show controllers poll it.
#include "TraceFile.h"
#include "XSession.h"

#include <QtTest>

class tst_E2eGlide : public QObject
{
    Q_OBJECT

private slots:
    void glideEndsAtTheJoystick();
};

void tst_E2eGlide::glideEndsAtTheJoystick()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.log");
    PanelProcess panel(x, PTZ_PANEL_PATH, PanelProcess::simulatedCamera(trace));
    const qulonglong id = panel.waitForWindow();
    QVERIFY2(id, qPrintable(panel.errorOutput()));
    const QString window = QString::number(id);
    QTRY_VERIFY_WITH_TIMEOUT(TraceFile::startedUp(trace), 10000);
    const auto command = [&](const QStringList &arguments) {
        QProcess cli;
        cli.setProcessEnvironment(panel.process().processEnvironment());
        cli.start(PTZ_PANEL_PATH, arguments);
        return cli.waitForFinished(10000) && cli.exitCode() == 0;
    };

    // Stored with the keys (Set, then 8) where the command line moved the camera.
    QVERIFY(command({"--position", "300,100"}));
    x.xdotool({"mousemove", "--window", window, "330", "313", "click", "1"});
    x.xdotool({"mousemove", "--window", window, "445", "403", "click", "1"});
    QTRY_VERIFY_WITH_TIMEOUT(TraceFile::read(trace).contains("SetPreset 8"), 5000);
    QVERIFY(command({"--position", "-300,0", "--name-preset", "8", "Pulpit"}));

    QVERIFY(command({"--preset", "Pulpit", "--duration", "3"}));
    const auto steps = [&] { return TraceFile::read(trace).filter("SetPanTiltPosition"); };
    QTRY_VERIFY_WITH_TIMEOUT(steps().size() >= 5, 5000);
    QVERIFY(steps().size() < 60);
    // Press the joystick and push it left: the glide stops where it is.
    x.xdotool({"mousemove", "--window", window, "387", "135", "mousedown", "1"});
    x.xdotool({"mousemove", "--window", window, "350", "135"});
    QTRY_VERIFY_WITH_TIMEOUT(
        !TraceFile::read(trace).filter(QRegularExpression("^PanLeft [1-9]")).isEmpty(), 5000);
    const QStringList lines = TraceFile::read(trace);
    // The joystick's first word, at whatever speed it had yet.
    const int touched = int(lines.indexOf(QRegularExpression("PanLeft \\d+")));
    QVERIFY(touched > 0);
    QTest::qWait(500); // ten steps' time
    x.xdotool({"mouseup", "1"});
    const QStringList after = TraceFile::read(trace).mid(touched);
    QVERIFY2(after.filter("SetPanTiltPosition").isEmpty() &&
                 after.filter("SetZoomPosition").isEmpty(),
             qPrintable(after.join(',')));
    // Short of the preset: the glide was under way, not done.
    const QStringList sent = lines.mid(0, touched).filter("SetPanTiltPosition");
    QVERIFY(!sent.isEmpty() && !sent.last().startsWith("SetPanTiltPosition 300 100 "));

    // Reading where the camera is, over and over, is not acting: the glide arrives.
    QVERIFY(command({"--position", "-300,0"}));
    const int before = int(steps().size());
    QVERIFY(command({"--preset", "8", "--duration", "2"}));
    QTRY_VERIFY_WITH_TIMEOUT(steps().size() > before + 2, 5000);
    int reads = 0;
    while (!steps().last().startsWith("SetPanTiltPosition 300 100 ") && reads < 40) {
        QVERIFY(command({"--get-position"}));
        ++reads;
    }
    QVERIFY(reads > 1);
    QTRY_VERIFY_WITH_TIMEOUT(steps().last().startsWith("SetPanTiltPosition 300 100 "), 5000);
    QVERIFY(TraceFile::read(trace).filter("AskPosition").size() >= reads);
}

QTEST_GUILESS_MAIN(tst_E2eGlide)
#include "tst_e2e_glide.moc"
