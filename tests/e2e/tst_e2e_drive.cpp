// SPDX-License-Identifier: GPL-2.0-or-later
// The real program driven with real X input: a slider drag, a joystick drag, a preset
// stored in Set mode, the stay-on-top key and the close key, checked in the trace; and the
// plug-in warning around which the window leaves the topmost band.
#include "TraceFile.h"
#include "XSession.h"

#include <QtTest>

class tst_E2eDrive : public QObject
{
    Q_OBJECT

private slots:
    void driveTheSimulatedCamera();
    void warningWithoutCamera();

private:
    void drag(const XSession &x, const QString &window, QPoint from, const QList<QPoint> &path,
              int pauseMs = 0);
};

void tst_E2eDrive::drag(const XSession &x, const QString &window, QPoint from,
                        const QList<QPoint> &path, int pauseMs)
{
    x.xdotool({"mousemove", "--window", window, QString::number(from.x()),
               QString::number(from.y()), "mousedown", "1"});
    for (const QPoint &p : path) {
        x.xdotool(
            {"mousemove", "--window", window, QString::number(p.x()), QString::number(p.y())});
        if (pauseMs)
            QTest::qWait(pauseMs);
    }
    x.xdotool({"mouseup", "1"});
}

void tst_E2eDrive::driveTheSimulatedCamera()
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
    int seen = TraceFile::read(trace).size();
    const auto fresh = [&] {
        const QStringList lines = TraceFile::read(trace);
        const QStringList taken = lines.mid(seen);
        seen = lines.size();
        return taken;
    };
    // Waits for a new trace line matching `pattern`; everything up to now counts as seen.
    const auto waitFor = [&](const QString &pattern, int limitMs = 10000) {
        const QRegularExpression wanted(pattern);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < limitMs) {
            if (!TraceFile::read(trace).mid(seen).filter(wanted).isEmpty()) {
                fresh();
                return true;
            }
            QTest::qWait(20);
        }
        qWarning() << "trace since:" << TraceFile::read(trace).mid(seen);
        return false;
    };

    // Open the image panel with the fold key, then drag brightness (128 of 0..255) right; the
    // first drag may come before the window takes input where the panel opened.
    x.xdotool({"mousemove", "--window", window, "280", "100", "click", "1"});
    bool dragged = false;
    for (int attempt = 0; attempt < 20 && !dragged; ++attempt) {
        drag(x, window, QPoint(116, 28), {QPoint(125, 28), QPoint(140, 28), QPoint(150, 28)});
        dragged = waitFor("^SetBrightness (1[3-9]\\d|2\\d\\d)$", 500);
    }
    QVERIFY(dragged);

    // Joystick: press in the middle, go to the top-left cell, then the top cell, let go.
    drag(x, window, QPoint(387, 135),
         {QPoint(370, 120), QPoint(350, 98), QPoint(348, 96), QPoint(387, 96), QPoint(388, 95)},
         250);
    QVERIFY(waitFor("^PanRightStop$"));
    const QStringList motion = TraceFile::read(trace);
    const int topLeft = motion.lastIndexOf(QRegularExpression("^TiltUp [1-9]\\d*$")) >= 0
                            ? motion.indexOf(QRegularExpression("^PanLeft [1-9]\\d*$"))
                            : -1;
    QVERIFY2(topLeft >= 0, qPrintable(motion.join(',')));
    QCOMPARE(motion.mid(motion.size() - 4),
             (QStringList{"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"}));

    // Store preset 8: the Set key, then key 8.
    x.xdotool({"mousemove", "--window", window, "330", "313", "click", "1"});
    x.xdotool({"mousemove", "--window", window, "445", "403", "click", "1"});
    QVERIFY(waitFor("^SetPreset 8$"));

    // Stay-on-top off: the window leaves the "above" state.
    x.xdotool({"mousemove", "--window", window, "430", "9", "click", "1"});
    QTRY_VERIFY(!x.run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("ABOVE"));

    // Close: the menu is switched off, then the program ends with 0.
    fresh();
    x.xdotool({"mousemove", "--window", window, "470", "10", "click", "1"});
    QCOMPARE(panel.waitForExit(), 0);
    QCOMPARE(fresh(), QStringList{"MenuOff"});
}

void tst_E2eDrive::warningWithoutCamera()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    QTemporaryDir cameras;
    QProcessEnvironment env = PanelProcess::simulatedCamera();
    env.insert("CAMERACTRL_SIM_DIR", cameras.path());
    PanelProcess panel(x, PTZ_PANEL_PATH, env);
    const qulonglong id = panel.waitForWindow();
    QVERIFY(id);
    const QString window = QString::number(id);

    QString warning;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(warning = x.xdotool({"search", "--onlyvisible", "--name", "^Warning$"})).isEmpty(), 5000);
    QVERIFY(!x.run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("ABOVE"));
    x.xdotool({"key", "--window", warning.split('\n').first(), "Return"});
    QTRY_VERIFY(x.xdotool({"search", "--onlyvisible", "--name", "^Warning$"}).isEmpty());
    QTRY_VERIFY(x.run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("ABOVE"));
    QCOMPARE(panel.process().state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_E2eDrive)
#include "tst_e2e_drive.moc"
