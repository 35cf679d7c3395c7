// SPDX-License-Identifier: GPL-2.0-or-later
// Both panels' button codes as the main window dispatches them, flip and mirror state, the
// stay-on-top switch, and the close key ending the event loop.
#include "PanelHarness.h"
#include "Win32.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QtTest>

class tst_ButtonCodes : public QObject
{
    Q_OBJECT

private slots:
    void leftPanelCodes_data();
    void leftPanelCodes();
    void leftPanelCodesNeedACamera();
    void flipAndMirrorToggleFromZero();
    void flipStateFollowsCommandsNotCameras();
    void rightPanelUnlistedCodesDoNothing();
    void stayOnTopSwitch();
    // Last: ending the event loop leaves it ended for this process.
    void closeKeyEndsTheEventLoop();
};

void tst_ButtonCodes::leftPanelCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("operations");
    QTest::newRow("5 menu on") << 5 << QStringList{"MenuOn"};
    QTest::newRow("6 home") << 6 << QStringList{"Home"};
    QTest::newRow("7 framing") << 7 << QStringList{"FramingAuto"};
    QTest::newRow("8 manual") << 8 << QStringList{"FramingManual"};
    QTest::newRow("10 menu off") << 10 << QStringList{"MenuOff"};
    QTest::newRow("11 ir on") << 11 << QStringList{"IrOn"};
    QTest::newRow("12 ir off") << 12 << QStringList{"IrOff"};
    QTest::newRow("13 day") << 13 << QStringList{"DayMode"};
    QTest::newRow("14 night") << 14 << QStringList{"NightMode"};
    QTest::newRow("15 ptz reset") << 15 << QStringList{"PtzReset"};
    QTest::newRow("0 unlisted") << 0 << QStringList{};
    QTest::newRow("16 unlisted") << 16 << QStringList{};
    QTest::newRow("201 is not left") << 201 << QStringList{};
}

void tst_ButtonCodes::leftPanelCodes()
{
    QFETCH(int, code);
    QFETCH(QStringList, operations);
    PanelHarness h;
    QVERIFY(h.start());
    QVERIFY(h.invoke("LWin_BT_Pressed", code));
    QCOMPARE(h.trace.take(), operations);
    QVERIFY(h.window().property("onTop").toBool());
}

void tst_ButtonCodes::leftPanelCodesNeedACamera()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    h.boxes.clear();
    for (const char *key : {"BT_IR", "BT_DAY", "BT_Flip", "BT_Mirror", "BT_Menu", "BT_HOME",
                            "BT_AI", "BT_PUSH", "BT_Reset", "BT_RST_PTZ", "Cb_WB"})
        h.child<QAbstractButton>(key)->click();
    QVERIFY(h.trace.take().isEmpty());
    QCOMPARE(h.boxes.count(), 0);

    // A flip pressed without a camera did not count.
    h.cameras.plug("a.cam");
    QTRY_VERIFY(h.cameraPresent() && h.settled());
    h.trace.take();
    h.child<QAbstractButton>("BT_Flip")->click();
    QCOMPARE(h.trace.take(), QStringList{"FlipOn"});
}

void tst_ButtonCodes::flipAndMirrorToggleFromZero()
{
    PanelHarness h;
    QVERIFY(h.start());
    auto *flip = h.child<QAbstractButton>("BT_Flip");
    auto *mirror = h.child<QAbstractButton>("BT_Mirror");
    flip->click();
    mirror->click();
    flip->click();
    flip->click();
    mirror->click();
    QCOMPARE(h.trace.take(), (QStringList{"FlipOn", "MirrorOn", "FlipOff", "FlipOn", "MirrorOff"}));
    // Push and the switch of framing to manual send the same thing.
    h.child<QAbstractButton>("BT_PUSH")->click();
    QCOMPARE(h.trace.take(), QStringList{"FramingManual"});
}

void tst_ButtonCodes::flipStateFollowsCommandsNotCameras()
{
    PanelHarness h({{"a.cam", "name=A\n"}, {"b.cam", "name=B\n"}});
    QVERIFY(h.start());
    h.child<QAbstractButton>("BT_Flip")->click();
    h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(1);
    h.trace.take();
    h.child<QAbstractButton>("BT_Flip")->click();
    QCOMPARE(h.trace.take(), QStringList{"FlipOff"});
}

void tst_ButtonCodes::rightPanelUnlistedCodesDoNothing()
{
    PanelHarness h;
    QVERIFY(h.start());
    for (int code : {0, 2, 3, 4, 10, 200, 203, -1})
        QVERIFY(h.invoke("RWin_BT_Pressed", code));
    QVERIFY(h.trace.take().isEmpty());
    QVERIFY(h.window().property("onTop").toBool());
}

void tst_ButtonCodes::stayOnTopSwitch()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    const auto hwnd = reinterpret_cast<HWND>(h.window().winId());
    auto *top = h.child<QAbstractButton>("BT_Top");
    top->click();
    QVERIFY(!IsWindowTopmost(hwnd));
    QVERIFY(!h.window().property("onTop").toBool());
    top->click();
    QVERIFY(IsWindowTopmost(hwnd));
    QVERIFY(h.window().property("onTop").toBool());
    QVERIFY(h.trace.take().isEmpty());
}

void tst_ButtonCodes::closeKeyEndsTheEventLoop()
{
    PanelHarness h;
    QVERIFY(h.start());
    QEventLoop loop;
    QTimer::singleShot(0, [&] { h.child<QAbstractButton>("BT_Close")->click(); });
    QTimer::singleShot(5000, [&] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
    QCOMPARE(h.trace.take(), QStringList{"MenuOff"});
}

QTEST_MAIN(tst_ButtonCodes)
#include "tst_buttoncodes.moc"
