// SPDX-License-Identifier: GPL-2.0-or-later
// The joystick's figures at the screen density it runs on (QT_FONT_DPI 96, 120, 144 or
// 192 on the offscreen platform): its size, handle, travel, cell bounds and speeds.
#include "JoystickProbe.h"
#include "RockerHandle.h"

#include <QScreen>
#include <QtTest>

namespace {

struct Figures
{
    int dpi, side, middle, radius, travel, low, high;
};

const Figures table[] = {
    {96, 100, 50, 8, 42, 40, 60},
    {120, 125, 62, 10, 52, 50, 75},
    {144, 150, 75, 12, 63, 60, 90},
    {192, 200, 100, 16, 84, 80, 120},
};

} // namespace

class tst_RockerDensity : public QObject
{
    Q_OBJECT

private slots:
    void figuresHold();
};

void tst_RockerDensity::figuresHold()
{
    const int dpi = qRound(QGuiApplication::screens().first()->logicalDotsPerInch());
    QCOMPARE(dpi, qEnvironmentVariableIntValue("QT_FONT_DPI"));
    const auto row = std::find_if(std::begin(table), std::end(table),
                                  [dpi](const Figures &f) { return f.dpi == dpi; });
    QVERIFY2(row != std::end(table), "no worked figures for this density");
    const Figures &f = *row;

    RockerHandle joystick;
    JoystickProbe probe(joystick);
    QCOMPARE(joystick.size(), QSize(f.side, f.side));
    joystick.show();
    QVERIFY(QTest::qWaitForWindowExposed(&joystick));

    // The idle handle sits in the middle with its radius.
    QTRY_VERIFY(probe.paintedHandle().width > 0);
    const JoystickProbe::Disc idle = probe.paintedHandle();
    QVERIFY2(qAbs(idle.centre.x() - f.middle) <= 1, qPrintable(QString::number(idle.centre.x())));
    QVERIFY2(idle.width >= 2 * f.radius && idle.width <= 2 * f.radius + 1,
             qPrintable(QString::number(idle.width)));

    // Both bounds belong to the outer cells.
    const int m = f.middle;
    QCOMPARE(probe.probe(QPoint(f.low, m)).key, 3);
    QCOMPARE(probe.probe(QPoint(f.low + 1, m)).key, 4);
    QCOMPARE(probe.probe(QPoint(f.high - 1, m)).key, 4);
    const JoystickProbe::Report onHigh = probe.probe(QPoint(f.high, m));
    QCOMPARE(onHigh.key, 5);
    QCOMPARE(onHigh.pan, 2);
    QCOMPARE(probe.probe(QPoint(m, f.low)).key, 1);
    QCOMPARE(probe.probe(QPoint(m, f.high)).key, 7);

    // Far outside: the handle rests on the travel circle at full speed.
    probe.press(QPoint(m, m));
    probe.move(QPoint(10 * f.side, m));
    probe.move(QPoint(10 * f.side, m));
    const JoystickProbe::Report far = probe.waitForReport();
    QCOMPARE(far.key, 5);
    QCOMPARE(far.pan, 8);
    const JoystickProbe::Disc pulled = probe.paintedHandle();
    QVERIFY2(qAbs(pulled.centre.x() - (m + f.travel)) <= 1,
             qPrintable(QString::number(pulled.centre.x())));
    probe.release();
}

QTEST_MAIN(tst_RockerDensity)
#include "tst_rockerdensity.moc"
