// SPDX-License-Identifier: GPL-2.0-or-later
// What the window keeps between runs: a position only where this screen setup still shows
// the PTZ panel's title row, the image panel's fold and stay-on-top in any case.
#include "MainWindow.h"
#include "MessageBoxCatcher.h"
#include "WindowMemory.h"

#include <QAbstractButton>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>

class tst_WindowMemory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keepsWhatCanBeShown_data();
    void keepsWhatCanBeShown();
};

void tst_WindowMemory::init()
{
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  "/ptz-panel/window.conf");
}

void tst_WindowMemory::keepsWhatCanBeShown_data()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTest::addColumn<QPoint>("left");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<bool>("placed");
    QTest::newRow("on the screen") << QPoint(40, 30) << true << false << true;
    // The shut image panel's side is see-through: only the PTZ panel needs to be seen.
    QTest::newRow("transparent side off the left edge")
        << QPoint(-200, 30) << false << true << true;
    QTest::newRow("title row above the top") << QPoint(40, -5) << false << false << false;
    QTest::newRow("PTZ panel past the right edge")
        << QPoint(screen.right() - 300, 30) << true << true << false;
    QTest::newRow("off every screen")
        << screen.bottomRight() + QPoint(500, 500) << true << false << false;
}

void tst_WindowMemory::keepsWhatCanBeShown()
{
    QFETCH(QPoint, left);
    QFETCH(bool, open);
    QFETCH(bool, onTop);
    QFETCH(bool, placed);
    MessageBoxCatcher boxes;
    {
        MainWindow before;
        before.move(left);
        if (open)
            before.findChild<QAbstractButton *>("toolButton")->click();
        if (!onTop)
            before.findChild<QAbstractButton *>("BT_Top")->click();
        WindowMemory::save(before);
    }
    MainWindow after;
    const QPoint opensAt = after.pos();
    WindowMemory::restore(after);
    QCOMPARE(after.pos(), placed ? left : opensAt);
    QCOMPARE(after.property("leftShown").toBool(), open);
    QCOMPARE(after.property("onTop").toBool(), onTop);
    QCOMPARE(after.findChild<QAbstractButton *>("BT_Top")->isChecked(), onTop);
}

QTEST_MAIN(tst_WindowMemory)
#include "tst_windowmemory.moc"
