// SPDX-License-Identifier: GPL-2.0-or-later
// The real program in a real X server: it maps its frameless window above the others,
// talks to the simulated camera from the first moment, and its close key ends it cleanly.
#include "TraceFile.h"
#include "XSession.h"

#include <QtTest>

class tst_E2eStartup : public QObject
{
    Q_OBJECT

private slots:
    void mapsTopmostAndClosesCleanly();
};

void tst_E2eStartup::mapsTopmostAndClosesCleanly()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.log");
    PanelProcess panel(x, PTZ_PANEL_PATH, PanelProcess::simulatedCamera(trace));

    const qulonglong window = panel.waitForWindow();
    QVERIFY2(window, qPrintable(panel.errorOutput()));
    QVERIFY(!TraceFile::read(trace).isEmpty());
    QCOMPARE(TraceFile::read(trace).first(), QString("CreateDevice 0"));

    const QString id = QString::number(window);
    bool ok = false;
    const QString state = x.run("xprop", {"-id", id, "_NET_WM_STATE"}, &ok);
    QVERIFY2(ok && state.contains("_NET_WM_STATE_ABOVE"), qPrintable(state));
    const QString geometry = x.xdotool({"getwindowgeometry", "--shell", id});
    QVERIFY2(geometry.contains("WIDTH=491") && geometry.contains("HEIGHT=417"),
             qPrintable(geometry));

    // Connected: the enumeration 500 ms after start opened the camera, both times.
    QTRY_VERIFY_WITH_TIMEOUT(TraceFile::startedUp(trace), 10000);
    const int before = TraceFile::read(trace).size();

    // The close key sits at the right end of the PTZ panel's title row.
    x.xdotool({"mousemove", "--window", id, "470", "10", "click", "1"});
    QCOMPARE(panel.waitForExit(), 0);
    const QStringList lines = TraceFile::read(trace);
    QCOMPARE(lines.mid(before), QStringList{"MenuOff"});
}

QTEST_GUILESS_MAIN(tst_E2eStartup)
#include "tst_e2e_startup.moc"
