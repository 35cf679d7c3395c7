// SPDX-License-Identifier: GPL-2.0-or-later
// The frameless window under a real X server and real pointer input: dragged with the left
// button only, docked at the right edge of the desktop, hiding to its edge strip when the
// pointer leaves and coming back when it enters, with the image panel shut and open; where
// the panel is shut, the window is not there at all. Beside another application that has the
// focus it shows its tooltips, and a greyed control takes its press and drags nothing.
#include "TraceFile.h"
#include "XSession.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int DesktopWidth = 1280;

} // namespace

class tst_E2eFramelessWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void shutSideShowsAndPassesClicksThrough();
    void dragsWithTheLeftButtonOnly();
    void oneShortOfTheEdgeDoesNotDock();
    void hidesAndReturnsWithPanelShut();
    void hidesAndReturnsWithPanelOpen();
    void reopensWhereItWasLeft();
    void tooltipsWhileAnotherWindowHasTheFocus();
    void greyedControlsDragNothing_data();
    void greyedControlsDragNothing();

private:
    QProcessEnvironment environment() const;
    bool stayingOnTop() const;
    QPoint position() const;
    void pointer(QPoint screen) const;
    // From an empty stretch of the PTZ panel, left of the joystick, unless told where.
    void dragBy(int dx, int dy, const char *button = "1", QPoint from = QPoint(300, 150)) const;
    void dragTo(int x) const;
    QColor screenPixel(QPoint at) const;
    void toggleImagePanel() const;
    bool tooltipShown() const;

    QTemporaryDir dir;
    QTemporaryDir config; // where the panel remembers, shared by its runs
    std::unique_ptr<XSession> x;
    std::unique_ptr<PanelProcess> panel;
    QString window;
    bool greyingCamera = false; // the panel runs with a camera that greys controls
};

void tst_E2eFramelessWindow::initTestCase()
{
    x = std::make_unique<XSession>(QSize(DesktopWidth, 800));
    QVERIFY2(x->isRunning(), "Xvfb did not start");
    const QString trace = dir.filePath("trace.log");
    panel = std::make_unique<PanelProcess>(*x, PTZ_PANEL_PATH, environment());
    const qulonglong id = panel->waitForWindow();
    QVERIFY2(id, qPrintable(panel->errorOutput()));
    window = QString::number(id);
    QTRY_VERIFY_WITH_TIMEOUT(TraceFile::startedUp(trace), 10000);
}

void tst_E2eFramelessWindow::cleanupTestCase()
{
    panel.reset();
    x.reset();
}

QProcessEnvironment tst_E2eFramelessWindow::environment() const
{
    QProcessEnvironment env = PanelProcess::simulatedCamera(dir.filePath("trace.log"));
    env.insert("XDG_CONFIG_HOME", config.path());
    return env;
}

bool tst_E2eFramelessWindow::stayingOnTop() const
{
    return x->run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("ABOVE");
}

QPoint tst_E2eFramelessWindow::position() const
{
    const QString shell = x->xdotool({"getwindowgeometry", "--shell", window});
    QPoint p;
    for (const QString &line : shell.split('\n')) {
        if (line.startsWith("X="))
            p.setX(line.mid(2).toInt());
        if (line.startsWith("Y="))
            p.setY(line.mid(2).toInt());
    }
    return p;
}

void tst_E2eFramelessWindow::pointer(QPoint screen) const
{
    x->xdotool({"mousemove", QString::number(screen.x()), QString::number(screen.y())});
    QTest::qWait(150);
}

void tst_E2eFramelessWindow::dragBy(int dx, int dy, const char *button, QPoint from) const
{
    x->xdotool({"mousemove", "--window", window, QString::number(from.x()),
                QString::number(from.y()), "mousedown", button});
    x->xdotool({"mousemove_relative", "--", QString::number(dx / 2), QString::number(dy / 2)});
    x->xdotool(
        {"mousemove_relative", "--", QString::number(dx - dx / 2), QString::number(dy - dy / 2)});
    x->xdotool({"mouseup", button});
    QTest::qWait(150);
}

void tst_E2eFramelessWindow::dragTo(int xPosition) const
{
    const QPoint from = position();
    dragBy(xPosition - from.x(), 0);
}

QColor tst_E2eFramelessWindow::screenPixel(QPoint at) const
{
    QTemporaryDir dir;
    const QString file = dir.filePath("pixel.png");
    x->run(PTZ_SCREENGRAB_PATH, {file, QString::number(at.x()), QString::number(at.y()), "1", "1"});
    return QImage(file).pixelColor(0, 0);
}

void tst_E2eFramelessWindow::toggleImagePanel() const
{
    // The fold key runs down the PTZ panel's left edge.
    x->xdotool({"mousemove", "--window", window, "280", "100", "click", "1"});
    QTest::qWait(200);
}

void tst_E2eFramelessWindow::shutSideShowsAndPassesClicksThrough()
{
    // A plain window under the left part of the panel, which stays on top of it.
    const QPoint panelAt = position();
    QProcess target;
    target.setProcessEnvironment(x->environment());
    target.start(PTZ_CLICKTARGET_PATH, {QString::number(panelAt.x() + 20),
                                        QString::number(panelAt.y() + 50), "200", "200"});
    QVERIFY(target.waitForReadyRead(10000));
    QCOMPARE(target.readLine().trimmed(), QByteArray("shown"));
    QTest::qWait(300);
    x->xdotool({"windowraise", window});
    QTest::qWait(200);

    const QPoint behind = panelAt + QPoint(120, 150);
    QTRY_COMPARE(screenPixel(behind), QColor(Qt::green));
    x->xdotool(
        {"mousemove", QString::number(behind.x()), QString::number(behind.y()), "click", "1"});
    QVERIFY(target.waitForReadyRead(3000));
    QCOMPARE(target.readLine().trimmed(), QByteArray("press 100 100"));
    const QPoint before = position();
    QCOMPARE(before, panelAt); // the click started no drag of the panel

    // Open, the image panel covers the other window and takes the clicks.
    toggleImagePanel();
    QTRY_VERIFY(screenPixel(behind) != QColor(Qt::green));
    x->xdotool(
        {"mousemove", QString::number(behind.x()), QString::number(behind.y()), "click", "1"});
    QVERIFY(!target.waitForReadyRead(500));
    toggleImagePanel();
    QTRY_COMPARE(screenPixel(behind), QColor(Qt::green));
    target.kill();
    target.waitForFinished(3000);
}

void tst_E2eFramelessWindow::dragsWithTheLeftButtonOnly()
{
    const QPoint start = position();
    dragBy(100, 50);
    QTRY_COMPARE(position(), start + QPoint(100, 50));
    dragBy(60, 30, "3");
    dragBy(60, 30, "2");
    // Handled after those two: had either moved the window, it would not end where it began.
    dragBy(-100, -50);
    QTRY_COMPARE(position(), start);
}

void tst_E2eFramelessWindow::oneShortOfTheEdgeDoesNotDock()
{
    dragTo(DesktopWidth - 491 - 1);
    QTRY_COMPARE(position().x(), DesktopWidth - 492);
    const QPoint released = position();
    pointer(QPoint(100, 700));
    QCOMPARE(position(), released);
}

void tst_E2eFramelessWindow::hidesAndReturnsWithPanelShut()
{
    dragTo(DesktopWidth - 491);
    QTRY_COMPARE(position().x(), DesktopWidth - 491);
    const int y = position().y();
    pointer(QPoint(100, 700));
    QTRY_COMPARE(position(), QPoint(DesktopWidth - 277, y));
    // The strip left on the desktop is the PTZ panel's leftmost 10 px.
    pointer(QPoint(DesktopWidth - 5, y + 200));
    QTRY_COMPARE(position(), QPoint(DesktopWidth - 491, y));
    pointer(QPoint(100, 700));
    QTRY_COMPARE(position(), QPoint(DesktopWidth - 277, y));
    pointer(QPoint(DesktopWidth - 5, y + 200));
    QTRY_COMPARE(position(), QPoint(DesktopWidth - 491, y));
}

void tst_E2eFramelessWindow::hidesAndReturnsWithPanelOpen()
{
    toggleImagePanel();
    dragTo(DesktopWidth - 491);
    QTRY_COMPARE(position().x(), DesktopWidth - 491);
    const int y = position().y();
    pointer(QPoint(100, 700));
    QTRY_COMPARE(position(), QPoint(DesktopWidth - 10, y));
    pointer(QPoint(DesktopWidth - 3, y + 200));
    QTRY_COMPARE(position(), QPoint(DesktopWidth - 491, y));

    // Shut again: the window stays where it is, only the panel folds away.
    toggleImagePanel();
    QCOMPARE(position(), QPoint(DesktopWidth - 491, y));
    QCOMPARE(panel->process().state(), QProcess::Running);
}

void tst_E2eFramelessWindow::reopensWhereItWasLeft()
{
    // Left open, not on top, somewhere in the middle; closed with its close key.
    dragTo(300);
    QTRY_COMPARE(position().x(), 300);
    const QPoint left = position();
    toggleImagePanel();
    QVERIFY(stayingOnTop());
    x->xdotool({"mousemove", "--window", window, "430", "9", "click", "1"});
    QTRY_VERIFY(!stayingOnTop());
    x->xdotool({"mousemove", "--window", window, "470", "10", "click", "1"});
    QCOMPARE(panel->waitForExit(), 0);

    const auto start = [&] {
        panel = std::make_unique<PanelProcess>(*x, PTZ_PANEL_PATH, environment());
        const qulonglong id = panel->waitForWindow();
        window = QString::number(id);
        return id != 0;
    };
    QVERIFY2(start(), qPrintable(panel->errorOutput()));
    QTRY_COMPARE(position(), left);
    QVERIFY(!stayingOnTop());
    const QPoint imagePanel = left + QPoint(100, 200);
    QTRY_VERIFY(screenPixel(imagePanel).alpha() == 255 && screenPixel(imagePanel) != Qt::black);

    // Another screen setup: the position was this one's, the rest goes with the user.
    x->xdotool({"mousemove", "--window", window, "470", "10", "click", "1"});
    QCOMPARE(panel->waitForExit(), 0);
    panel.reset();
    x = std::make_unique<XSession>(QSize(1024, 700));
    QVERIFY(x->isRunning());
    QVERIFY2(start(), qPrintable(panel->errorOutput()));
    QTest::qWait(300);
    QCOMPARE(position(), QPoint(0, 0));
    QVERIFY(!stayingOnTop());
}

bool tst_E2eFramelessWindow::tooltipShown() const
{
    return !x->windowsOf(panel->process().processId(), "TOOLTIP").isEmpty();
}

void tst_E2eFramelessWindow::tooltipsWhileAnotherWindowHasTheFocus()
{
    QProcess other;
    other.setProcessEnvironment(x->environment());
    other.start(PTZ_CLICKTARGET_PATH, {"600", "400", "200", "200"});
    QVERIFY(other.waitForReadyRead(10000));
    const QString otherWindow =
        x->xdotool({"search", "--onlyvisible", "--pid", QString::number(other.processId())});
    QVERIFY(!otherWindow.isEmpty());
    x->xdotool({"windowfocus", "--sync", otherWindow});

    QVERIFY(!tooltipShown());
    x->xdotool({"mousemove", "--window", window, "470", "10"}); // over the close key
    QTRY_VERIFY_WITH_TIMEOUT(tooltipShown(), 5000);
    QCOMPARE(x->xdotool({"getwindowfocus"}), otherWindow);
    pointer(QPoint(900, 100));
    QTRY_VERIFY(!tooltipShown());
    other.kill();
    other.waitForFinished(3000);
}

void tst_E2eFramelessWindow::greyedControlsDragNothing_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<bool>("drags");
    QTest::newRow("white balance slider, greyed while automatic") << QPoint(95, 348) << false;
    QTest::newRow("anti-flicker selector the camera lacks") << QPoint(102, 399) << false;
    QTest::newRow("empty part of the image panel") << QPoint(100, 290) << true;
    QTest::newRow("empty part of the PTZ panel") << QPoint(300, 150) << true;
}

void tst_E2eFramelessWindow::greyedControlsDragNothing()
{
    QFETCH(QPoint, from);
    QFETCH(bool, drags);
    if (!greyingCamera) {
        // A camera without anti-flicker, its white balance automatic; the image panel open.
        QDir(dir.path()).mkpath("cameras");
        QFile camera(dir.filePath("cameras/a.cam"));
        QVERIFY(camera.open(QIODevice::WriteOnly));
        camera.write("lacks=flicker\nwhitebalanceauto=0,1,1,1,1,1\n");
        camera.close();
        QProcessEnvironment env = PanelProcess::simulatedCamera(dir.filePath("trace.log"));
        env.insert("CAMERACTRL_SIM_DIR", dir.filePath("cameras"));
        panel = std::make_unique<PanelProcess>(*x, PTZ_PANEL_PATH, env);
        const qulonglong id = panel->waitForWindow();
        QVERIFY2(id, qPrintable(panel->errorOutput()));
        window = QString::number(id);
        QTest::qWait(1000); // the camera's values reach the panel 500 ms after start
        toggleImagePanel();
        dragTo(300);
        QTRY_COMPARE(position().x(), 300);
        greyingCamera = true;
    }
    const QPoint start = position();
    dragBy(-106, 0, "1", from);
    // Handled after that drag: a drag that ends 20 px right of the start tells what it did.
    dragBy(20, 0);
    QTRY_COMPARE(position(), start + QPoint(drags ? 20 - 106 : 20, 0));
    dragTo(start.x());
    QTRY_COMPARE(position(), start);
}

QTEST_GUILESS_MAIN(tst_E2eFramelessWindow)
#include "tst_e2e_framelesswindow.moc"
