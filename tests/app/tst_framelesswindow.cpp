// SPDX-License-Identifier: GPL-2.0-or-later
// The frameless window's own behaviour, in-process: dragging, edge auto-hide, the slide
// of the image panel, the waiting operation, and density changes after start.
#include "JoystickProbe.h"
#include "PanelHarness.h"
#include "RockerHandle.h"

#include <QDesktopWidget>
#include <QFrame>
#include <QLabel>
#include <QtTest>

namespace {

class EventCounter : public QObject
{
public:
    EventCounter(QObject *watched, QEvent::Type type) : type(type)
    {
        watched->installEventFilter(this);
    }
    int count = 0;
    QList<QRect> geometries; // of the watched widget at each counted event

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == type) {
            ++count;
            if (watched->isWidgetType())
                geometries.append(static_cast<QWidget *>(watched)->geometry());
        }
        return false;
    }

private:
    QEvent::Type type;
};

void mouse(QWidget *window, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held)
{
    QMouseEvent event(type, at, window->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

void drag(QWidget *window, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    // Positions are in window coordinates: once the window has followed the pointer, the
    // pointer is back over the point it grabbed.
    mouse(window, QEvent::MouseButtonPress, from, button, button);
    mouse(window, QEvent::MouseMove, to, Qt::NoButton, button);
    mouse(window, QEvent::MouseButtonRelease, from, button, Qt::NoButton);
}

void crossing(QWidget *window, QEvent::Type type)
{
    QEvent event(type);
    QCoreApplication::sendEvent(window, &event);
}

int desktopWidth()
{
    return QApplication::desktop()->width();
}

} // namespace

class tst_FramelessWindow : public QObject
{
    Q_OBJECT

private slots:
    void leftButtonDragsTheWindow();
    void otherButtonsDoNotDrag();
    void releaseAtTheEdgeDocks();
    void autoHide_data();
    void autoHide();
    void enterOnAShownWindowMovesNothing();
    void slideOpensAndShutsInSteps();
    void shortSlideJumpsToTheEnd();
    void waitProcessesEventsUntilDeadline();
    void densityRoundTrips_data();
    void densityRoundTrips();
    void densityChangeWithPanelShut();
    void truncatingScaleOfThinWidgets();
};

void tst_FramelessWindow::leftButtonDragsTheWindow()
{
    PanelHarness h;
    QVERIFY(h.start());
    MainWindow &w = h.window();
    w.move(100, 100);
    drag(&w, QPoint(300, 150), QPoint(340, 170));
    QCOMPARE(w.pos(), QPoint(140, 120));
    QVERIFY(!w.property("docked").toBool());
}

void tst_FramelessWindow::otherButtonsDoNotDrag()
{
    PanelHarness h;
    QVERIFY(h.start());
    MainWindow &w = h.window();
    w.move(100, 100);
    drag(&w, QPoint(300, 150), QPoint(340, 170), Qt::RightButton);
    drag(&w, QPoint(300, 150), QPoint(340, 170), Qt::MiddleButton);
    QCOMPARE(w.pos(), QPoint(100, 100));
}

void tst_FramelessWindow::releaseAtTheEdgeDocks()
{
    PanelHarness h;
    QVERIFY(h.start());
    MainWindow &w = h.window();
    const int d = desktopWidth();
    w.move(d - w.width() - 1, 50);
    mouse(&w, QEvent::MouseButtonRelease, QPoint(300, 100), Qt::LeftButton, Qt::NoButton);
    QVERIFY(!w.property("docked").toBool());
    w.move(d - w.width(), 50);
    mouse(&w, QEvent::MouseButtonRelease, QPoint(300, 100), Qt::RightButton, Qt::NoButton);
    QVERIFY(w.property("docked").toBool());
    w.move(d - w.width() + 30, 50);
    mouse(&w, QEvent::MouseButtonRelease, QPoint(300, 100), Qt::LeftButton, Qt::NoButton);
    QVERIFY(w.property("docked").toBool());
    w.move(10, 50);
    mouse(&w, QEvent::MouseButtonRelease, QPoint(300, 100), Qt::LeftButton, Qt::NoButton);
    QVERIFY(!w.property("docked").toBool());
}

void tst_FramelessWindow::autoHide_data()
{
    QTest::addColumn<bool>("panelOpen");
    QTest::addColumn<int>("hiddenFromRight");
    QTest::addColumn<QString>("strip");
    QTest::newRow("panel open") << true << 10 << "Label_Hide_L";
    QTest::newRow("panel shut") << false << 277 << "Label_Hide_R";
}

void tst_FramelessWindow::autoHide()
{
    QFETCH(bool, panelOpen);
    QFETCH(int, hiddenFromRight);
    QFETCH(QString, strip);
    PanelHarness h;
    QVERIFY(h.start());
    MainWindow &w = h.window();
    if (panelOpen)
        QVERIFY(h.slide(true));
    const int d = desktopWidth();
    const int y = 40;

    // Not docked: leaving and entering move nothing.
    w.move(d - w.width(), y);
    crossing(&w, QEvent::Leave);
    QCOMPARE(w.pos(), QPoint(d - w.width(), y));

    mouse(&w, QEvent::MouseButtonRelease, QPoint(300, 100), Qt::LeftButton, Qt::NoButton);
    QVERIFY(w.property("docked").toBool());
    for (int round = 0; round < 2; ++round) {
        crossing(&w, QEvent::Leave);
        QCOMPARE(w.pos(), QPoint(d - hiddenFromRight, y));
        QVERIFY(h.child<QLabel>(qPrintable(strip))->isVisible());
        crossing(&w, QEvent::Enter);
        QCOMPARE(w.pos(), QPoint(d - 491, y));
        QVERIFY(h.child<QLabel>("Label_Hide_L")->isHidden());
        QVERIFY(h.child<QLabel>("Label_Hide_R")->isHidden());
    }
}

void tst_FramelessWindow::enterOnAShownWindowMovesNothing()
{
    PanelHarness h;
    QVERIFY(h.start());
    MainWindow &w = h.window();
    const int d = desktopWidth();
    w.move(d - w.width(), 40);
    mouse(&w, QEvent::MouseButtonRelease, QPoint(300, 100), Qt::LeftButton, Qt::NoButton);
    QVERIFY(w.property("docked").toBool());

    // Panel open, docked but not hidden at D - 10.
    QVERIFY(h.slide(true));
    crossing(&w, QEvent::Enter);
    QCOMPARE(w.pos(), QPoint(d - w.width(), 40));
    // Panel shut, an enter without a leave before it (say, after a modal message).
    QVERIFY(h.slide(false));
    crossing(&w, QEvent::Enter);
    QCOMPARE(w.pos(), QPoint(d - w.width(), 40));
}

void tst_FramelessWindow::slideOpensAndShutsInSteps()
{
    PanelHarness h;
    QVERIFY(h.start());
    auto *frame = h.child<QFrame>("frame");
    auto *left = h.child<QWidget>("Win_Left");
    EventCounter resizes(frame, QEvent::Resize);
    EventCounter paints(&h.window(), QEvent::Paint);

    QVERIFY(h.slide(true));
    // 13 steps of 20 px, each painted at once, then the full width.
    QCOMPARE(paints.count, 13);
    QCOMPARE(resizes.count, 14);
    QCOMPARE(resizes.geometries.first(), QRect(248, 0, 20, 417));
    QCOMPARE(resizes.geometries.at(12), QRect(8, 0, 260, 417));
    QCOMPARE(frame->geometry(), QRect(0, 0, 268, 417));
    QCOMPARE(left->geometry(), QRect(0, 0, 268, 417));
    QVERIFY(h.window().property("leftShown").toBool());
    QCOMPARE(h.window().size(), QSize(491, 417));

    resizes.geometries.clear();
    QVERIFY(h.slide(false));
    QCOMPARE(resizes.geometries.first(), QRect(20, 0, 248, 417));
    QCOMPARE(left->geometry(), QRect(268, 0, 0, 417));
    QVERIFY(!h.window().property("leftShown").toBool());

    // Shutting a shut panel runs the whole sequence again, from open.
    resizes.geometries.clear();
    QVERIFY(h.slide(false));
    QCOMPARE(resizes.geometries.size(), 14);
    QCOMPARE(resizes.geometries.first(), QRect(20, 0, 248, 417));
}

void tst_FramelessWindow::shortSlideJumpsToTheEnd()
{
    PanelHarness h;
    QVERIFY(h.start());
    // A tiny density makes the slide distance 268 / 16 = 16.
    QMetaObject::invokeMethod(&h.window(), "onLogicalDotsPerInchChanged", Q_ARG(qreal, 6.0));
    QCOMPARE(h.window().property("leftPanelWidth").toInt(), 16);
    auto *frame = h.child<QFrame>("frame");
    EventCounter resizes(frame, QEvent::Resize);
    QVERIFY(h.slide(true));
    QCOMPARE(resizes.geometries, QList<QRect>{QRect(0, 0, 16, h.window().height())});
}

void tst_FramelessWindow::waitProcessesEventsUntilDeadline()
{
    PanelHarness h;
    QVERIFY(h.start());
    const auto wait = [&](uint msec) {
        bool result = false;
        QMetaObject::invokeMethod(&h.window(), "sleep", Q_RETURN_ARG(bool, result),
                                  Q_ARG(uint, msec));
        return result;
    };
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QVERIFY(wait(0));
    QVERIFY(!ran);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(wait(60));
    QVERIFY(ran);
    QVERIFY(clock.elapsed() >= 59);

    // A handler that runs long inside the wait ends it once the time is up, whatever the
    // time of day does meanwhile.
    QTimer::singleShot(0, [] { QThread::msleep(80); });
    clock.restart();
    QVERIFY(wait(40));
    QVERIFY(clock.elapsed() >= 80 && clock.elapsed() < 1000);
}

void tst_FramelessWindow::densityRoundTrips_data()
{
    QTest::addColumn<QList<qreal>>("densities");
    QTest::newRow("96 144") << QList<qreal>{144};
    QTest::newRow("96 144 96") << QList<qreal>{144, 96};
    QTest::newRow("96 144 192 96") << QList<qreal>{144, 192, 96};
    QTest::newRow("96 120 144 72 192") << QList<qreal>{120, 144, 72, 192};
    QTest::newRow("96 192 144 192 96 144 96") << QList<qreal>{192, 144, 192, 96, 144, 96};
}

void tst_FramelessWindow::densityRoundTrips()
{
    QFETCH(QList<qreal>, densities);
    PanelHarness h;
    QVERIFY(h.start());
    MainWindow &w = h.window();
    auto *right = h.child<QWidget>("Win_Right");
    auto *label = h.child<QWidget>("label_15");
    const QFont font = label->font();
    const QString sheet = right->styleSheet();
    for (qreal dpi : densities)
        QMetaObject::invokeMethod(&w, "onLogicalDotsPerInchChanged", Q_ARG(qreal, dpi));

    // Each step scales by new over last density, so the end depends on the last density
    // only, give or take a pixel that truncation costs at each step.
    const qreal factor = densities.last() / 96.0;
    const auto near = [&](int a, double b) { return std::abs(a - b) < densities.size() + 1; };
    QVERIFY2(near(w.width(), 491 * factor) && near(w.height(), 417 * factor),
             qPrintable(QStringLiteral("%1x%2").arg(w.width()).arg(w.height())));
    QVERIFY(near(right->x(), 267 * factor) && near(right->width(), 224 * factor));
    QVERIFY(near(w.property("leftPanelWidth").toInt(), 268 * factor));
    QCOMPARE(label->font(), font);
    QCOMPARE(right->styleSheet(), sheet);

    // The joystick scales like any other widget, and its middle still means stop.
    auto *joystick = h.child<RockerHandle>("widget");
    QVERIFY(near(joystick->width(), 100 * factor));
    JoystickProbe probe(*joystick);
    const int side = joystick->width();
    QCOMPARE(probe.probe(QPoint(side / 2, side / 2)).key, 4);
    QCOMPARE(probe.probe(QPoint(side - 1, side / 2)).pan, 8);
}

void tst_FramelessWindow::densityChangeWithPanelShut()
{
    PanelHarness h;
    QVERIFY(h.start());
    MainWindow &w = h.window();
    QMetaObject::invokeMethod(&w, "onLogicalDotsPerInchChanged", Q_ARG(qreal, 144));
    QCOMPARE(w.property("leftPanelWidth").toInt(), 402);
    QVERIFY(h.slide(true));
    QCOMPARE(h.child<QWidget>("Win_Left")->geometry(), QRect(0, 0, 402, 625));

    // Open at the moment of a change: measured from the panel itself.
    QMetaObject::invokeMethod(&w, "onLogicalDotsPerInchChanged", Q_ARG(qreal, 192));
    QCOMPARE(w.property("leftPanelWidth").toInt(), 536);
}

void tst_FramelessWindow::truncatingScaleOfThinWidgets()
{
    PanelHarness h;
    QVERIFY(h.start());
    auto *line = h.child<QWidget>("line_3");
    QCOMPARE(line->width(), 1);
    QMetaObject::invokeMethod(&h.window(), "onLogicalDotsPerInchChanged", Q_ARG(qreal, 144));
    QCOMPARE(line->width(), 1);
    QCOMPARE(line->height(), 625);
    QMetaObject::invokeMethod(&h.window(), "onLogicalDotsPerInchChanged", Q_ARG(qreal, 72));
    QCOMPARE(line->width(), 0);
    QCOMPARE(line->x(), 157); // 210 * 1.5 = 315, * 72 / 144 = 157.5
}

QTEST_MAIN(tst_FramelessWindow)
#include "tst_framelesswindow.moc"
