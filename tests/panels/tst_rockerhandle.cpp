// SPDX-License-Identifier: GPL-2.0-or-later
// The joystick at 96 dpi: which key and speeds each pointer position gives, when reports
// come and stop, the handle held on its travel circle, and the thinned-out repaints.
#include "JoystickProbe.h"
#include "RockerHandle.h"

#include <QScreen>
#include <QtTest>

class tst_RockerHandle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workedExamples_data();
    void workedExamples();
    void handleStaysOnTravelCircle();
    void nothingAtPressKeyFourAtRelease();
    void ticksOnlyWhileHeld();
    void dragFollowsTheCells();
    void repaintsOnEverySecondMove();
    void followsItsSizeAfterDensityChange();

private:
    std::unique_ptr<RockerHandle> joystick;
    std::unique_ptr<JoystickProbe> probe;
};

void tst_RockerHandle::initTestCase()
{
    QCOMPARE(QGuiApplication::screens().first()->logicalDotsPerInch(), 96.0);
}

void tst_RockerHandle::init()
{
    joystick = std::make_unique<RockerHandle>();
    probe = std::make_unique<JoystickProbe>(*joystick);
    joystick->show();
    QVERIFY(QTest::qWaitForWindowExposed(joystick.get()));
    QCOMPARE(joystick->size(), QSize(100, 100));
}

void tst_RockerHandle::cleanup()
{
    probe.reset();
    joystick.reset();
}

void tst_RockerHandle::workedExamples_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("pan");
    QTest::addColumn<int>("tilt");

    QTest::newRow("middle") << QPoint(50, 50) << 4 << 0 << 0;
    QTest::newRow("top-left, pulled in") << QPoint(10, 10) << 0 << 6 << 6;
    QTest::newRow("right edge") << QPoint(95, 50) << 5 << 8 << 0;
    QTest::newRow("just below the band") << QPoint(50, 61) << 7 << 0 << 2;
    QTest::newRow("inside the middle cell") << QPoint(41, 41) << 4 << 1 << 1;
    QTest::newRow("on the low bound") << QPoint(40, 50) << 3 << 2 << 0;
    QTest::newRow("on the high bound") << QPoint(60, 60) << 8 << 2 << 2;
    QTest::newRow("just inside high") << QPoint(59, 50) << 4 << 1 << 0;
    QTest::newRow("bottom-left") << QPoint(20, 85) << 6 << 5 << 6;
    QTest::newRow("top") << QPoint(50, 9) << 1 << 0 << 8;
}

void tst_RockerHandle::workedExamples()
{
    QFETCH(QPoint, at);
    QFETCH(int, key);
    QFETCH(int, pan);
    QFETCH(int, tilt);
    const JoystickProbe::Report report = probe->probe(at);
    QCOMPARE(report.key, key);
    QCOMPARE(report.pan, pan);
    QCOMPARE(report.tilt, tilt);
}

void tst_RockerHandle::handleStaysOnTravelCircle()
{
    probe->press(QPoint(50, 50));
    probe->move(QPoint(1000, 50));
    probe->move(QPoint(1000, 50));
    probe->take();
    const JoystickProbe::Report report = probe->waitForReport();
    QCOMPARE(report.key, 5);
    QCOMPARE(report.pan, 8);
    QCOMPARE(report.tilt, 0);
    const JoystickProbe::Disc disc = probe->paintedHandle();
    QVERIFY2(qAbs(disc.centre.x() - 92) <= 1 && qAbs(disc.centre.y() - 50) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(disc.centre.x()).arg(disc.centre.y())));
    probe->release();

    // Back in the middle at the next paint.
    QTRY_VERIFY(qAbs(probe->paintedHandle().centre.x() - 50) <= 1);
}

void tst_RockerHandle::nothingAtPressKeyFourAtRelease()
{
    probe->press(QPoint(10, 10));
    QCoreApplication::processEvents();
    QVERIFY(probe->events.isEmpty());
    probe->release();
    QCOMPARE(probe->take(), QStringList{"key(4)"});
    QTest::qWait(250);
    QVERIFY(probe->events.isEmpty());
}

void tst_RockerHandle::ticksOnlyWhileHeld()
{
    const auto timers = joystick->findChildren<QTimer *>();
    QCOMPARE(timers.size(), 2);
    for (QTimer *timer : timers)
        QVERIFY(!timer->isActive());

    probe->press(QPoint(95, 50));
    for (QTimer *timer : timers) {
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 100);
        QVERIFY(!timer->isSingleShot());
    }
    // The same report again at every tick, though nothing changed.
    QTRY_VERIFY(probe->events.count("key(5)") >= 3);
    QVERIFY(probe->events.count("pan(8)") >= 2);

    probe->release();
    for (QTimer *timer : timers)
        QVERIFY(!timer->isActive());
    QCOMPARE(probe->events.last(), QString("key(4)"));
    probe->take();
    QTest::qWait(250);
    QVERIFY(probe->events.isEmpty());
}

void tst_RockerHandle::dragFollowsTheCells()
{
    probe->press(QPoint(10, 10));
    QCOMPARE(probe->waitForReport().key, 0);
    // Each single move counts, whether or not it was painted.
    probe->move(QPoint(50, 10));
    QTRY_VERIFY(probe->events.contains("key(1)"));
    probe->move(QPoint(90, 90));
    QTRY_VERIFY(probe->events.contains("key(8)"));
    probe->release();
    QCOMPARE(probe->events.last(), QString("key(4)"));
}

void tst_RockerHandle::repaintsOnEverySecondMove()
{
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    probe->press(QPoint(50, 50));
    QCoreApplication::processEvents();
    joystick->installEventFilter(&counter);

    QList<int> paintsPerMove;
    for (int i = 0; i < 6; ++i) {
        const int before = counter.paints;
        probe->move(QPoint(50 + i, 50));
        QCoreApplication::processEvents();
        paintsPerMove.append(counter.paints - before);
    }
    probe->release();
    // The toggle is shared and never reset, so the pattern may start on either phase.
    const QList<int> even = {0, 1, 0, 1, 0, 1}, odd = {1, 0, 1, 0, 1, 0};
    QVERIFY2(paintsPerMove == even || paintsPerMove == odd,
             qPrintable(QString::number(paintsPerMove.count(1))));
}

void tst_RockerHandle::followsItsSizeAfterDensityChange()
{
    // What the main window does on a change to 144 dpi after start.
    joystick->resize(150, 150);
    QCOMPARE(probe->probe(QPoint(75, 75)).key, 4);
    const JoystickProbe::Report far = probe->probe(QPoint(149, 75));
    QCOMPARE(far.key, 5);
    QCOMPARE(far.pan, 8);
    QCOMPARE(probe->probe(QPoint(60, 75)).key, 3);

    joystick->resize(100, 100);
    QCOMPARE(probe->probe(QPoint(40, 50)).key, 3);
    QCOMPARE(probe->probe(QPoint(95, 50)).pan, 8);
}

QTEST_MAIN(tst_RockerHandle)
#include "tst_rockerhandle.moc"
