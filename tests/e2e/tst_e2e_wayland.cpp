// SPDX-License-Identifier: GPL-2.0-or-later
// The panel in a Wayland session (a headless Weston with XWayland): with an X server there,
// it runs on it, where it may place itself and stay on top; with Wayland alone it still
// works as a control panel and says once what the session cannot give it.
#include "TraceFile.h"
#include "WestonSession.h"

#include <QtTest>

class tst_E2eWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void runsOnXWaylandWhenThereIsOne();
    void runsOnWaylandAlone();

private:
    QString runPanel(bool withX, const std::function<void(QProcess &)> &check);
    std::unique_ptr<WestonSession> weston;
};

void tst_E2eWayland::initTestCase()
{
    weston = std::make_unique<WestonSession>();
    QVERIFY2(weston->isRunning(), "weston with XWayland did not start");
}

QString tst_E2eWayland::runPanel(bool withX, const std::function<void(QProcess &)> &check)
{
    QProcessEnvironment env = weston->environment(withX);
    env.insert("CAMERACTRL_BACKEND", "sim");
    env.remove("CAMERACTRL_SIM_DIR");
    QProcess panel;
    panel.setProcessEnvironment(env);
    panel.start(QStringLiteral(PTZ_PANEL_PATH), QStringList());
    if (!panel.waitForStarted(5000))
        return "did not start";
    check(panel);
    const bool running = panel.state() == QProcess::Running;
    panel.kill();
    panel.waitForFinished(3000);
    return QString::fromLocal8Bit(panel.readAllStandardError()) +
           (running ? QString() : QStringLiteral("\n(exited early)"));
}

void tst_E2eWayland::runsOnXWaylandWhenThereIsOne()
{
    QString window;
    const QString err = runPanel(true, [&](QProcess &) {
        QElapsedTimer clock;
        clock.start();
        while (window.isEmpty() && clock.elapsed() < 10000) {
            QProcess xdotool;
            QProcessEnvironment env = weston->environment(true);
            xdotool.setProcessEnvironment(env);
            xdotool.start("xdotool", {"search", "--name", "^PTZ Panel$"});
            xdotool.waitForFinished(3000);
            window = QString::fromLocal8Bit(xdotool.readAllStandardOutput()).trimmed();
            QTest::qWait(100);
        }
        QTest::qWait(700);
    });
    // An X11 window, so the window's own placement and stay-on-top work through X (Weston's
    // window manager keeps no "above" state of its own; GNOME's and KDE's do).
    QVERIFY2(!window.isEmpty(), qPrintable(err));
    QVERIFY2(!err.contains("Wayland"), qPrintable(err));
    QVERIFY2(!err.contains("(exited early)"), qPrintable(err));
}

void tst_E2eWayland::runsOnWaylandAlone()
{
    TraceFile trace;
    const QString err = runPanel(false, [&](QProcess &) {
        // It does not end: wait until it has connected the camera.
        QTRY_VERIFY_WITH_TIMEOUT(trace.lines().contains("Open 0 1"), 10000);
    });
    QCOMPARE(err.count("cannot place itself"), 1);
    QVERIFY2(!err.contains("(exited early)"), qPrintable(err));
    QVERIFY(trace.lines().contains("Open 0 1"));
}

QTEST_GUILESS_MAIN(tst_E2eWayland)
#include "tst_e2e_wayland.moc"
