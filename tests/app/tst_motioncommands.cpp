// SPDX-License-Identifier: GPL-2.0-or-later
// Motion reaching the camera: the joystick's keys and speeds, the zoom lever, presets,
// absolute positions and the focus slots nothing connects.
#include "MoveByKey.h"
#include "PanelHarness.h"
#include "RockerHandle.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

class tst_MotionCommands : public QObject
{
    Q_OBJECT

private slots:
    void moveByKey_data();
    void moveByKey();
    void joystickFromTopLeftToTop();
    void speedsAreScaledAndRepeatsDropped();
    void joystickWithoutCameraIsSilent();
    void zoomLever_data();
    void zoomLever();
    void zoomReleaseStops();
    void zoomWithoutCameraWarns();
    void presets_data();
    void presets();
    void presetsWithoutCameraAreSilent();
    void absolutePositions_data();
    void absolutePositions();
    void unconnectedFocusSlots();
};

void tst_MotionCommands::moveByKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("operations");
    QTest::newRow("0") << 0 << QStringList{"PanLeft 9", "TiltUp 4"};
    QTest::newRow("1") << 1 << QStringList{"TiltUp 4"};
    QTest::newRow("2") << 2 << QStringList{"PanRight 9", "TiltUp 4"};
    QTest::newRow("3") << 3 << QStringList{"PanLeft 9"};
    QTest::newRow("4") << 4
                       << QStringList{"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};
    QTest::newRow("5") << 5 << QStringList{"PanRight 9"};
    QTest::newRow("6") << 6 << QStringList{"PanLeft 9", "TiltDown 4"};
    QTest::newRow("7") << 7 << QStringList{"TiltDown 4"};
    QTest::newRow("8") << 8 << QStringList{"TiltDown 4", "PanRight 9"};
    QTest::newRow("9") << 9 << QStringList{};
    QTest::newRow("-1") << -1 << QStringList{};
}

void tst_MotionCommands::moveByKey()
{
    QFETCH(int, key);
    QFETCH(QStringList, operations);
    TraceFile trace;
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    trace.take();
    MoveByKey(device, key, 9, 4);
    QCOMPARE(trace.take(), operations);
}

void tst_MotionCommands::joystickFromTopLeftToTop()
{
    PanelHarness h;
    QVERIFY(h.start());
    auto *joystick = h.child<RockerHandle>("widget");
    emit joystick->Speed_Pan(3);
    emit joystick->Speed_Tilt(2);
    h.trace.take(); // speeds at the middle re-send the stops
    emit joystick->keyNumchanged(0);
    QCOMPARE(h.trace.take(), (QStringList{"PanLeft 9", "TiltUp 4"}));
    emit joystick->keyNumchanged(0);
    QVERIFY(h.trace.take().isEmpty());
    emit joystick->keyNumchanged(1);
    QCOMPARE(h.trace.take(), QStringList{"TiltUp 4"});
    emit joystick->keyNumchanged(4);
    QCOMPARE(h.trace.take(),
             (QStringList{"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"}));
}

void tst_MotionCommands::speedsAreScaledAndRepeatsDropped()
{
    PanelHarness h;
    QVERIFY(h.start());
    // The joystick rests in the middle at speed 0 until it reports.
    QVERIFY(h.invoke("SpeedX", 0));
    QVERIFY(h.invoke("SpeedY", 0));
    QVERIFY(h.invoke("MovePlace", 4));
    QVERIFY(h.trace.take().isEmpty());

    QVERIFY(h.invoke("MovePlace", 8));
    QCOMPARE(h.trace.take(), (QStringList{"TiltDown 0", "PanRight 0"}));
    QVERIFY(h.invoke("SpeedX", 8));
    QCOMPARE(h.trace.take(), (QStringList{"TiltDown 0", "PanRight 24"}));
    QVERIFY(h.invoke("SpeedY", 8));
    QCOMPARE(h.trace.take(), (QStringList{"TiltDown 16", "PanRight 24"}));
    QVERIFY(h.invoke("SpeedX", 8));
    QVERIFY(h.invoke("SpeedY", 8));
    QVERIFY(h.trace.take().isEmpty());
    QVERIFY(h.invoke("MovePlace", 3));
    QCOMPARE(h.trace.take(), QStringList{"PanLeft 24"});
}

void tst_MotionCommands::joystickWithoutCameraIsSilent()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    h.boxes.clear();
    QVERIFY(h.invoke("MovePlace", 2));
    QVERIFY(h.invoke("SpeedX", 5));
    QVERIFY(h.invoke("MovePlace", 4));
    QVERIFY(h.trace.take().isEmpty());
    QCOMPARE(h.boxes.count(), 0);
}

void tst_MotionCommands::zoomLever_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("operations");
    QTest::newRow("9") << 9 << QStringList{"ZoomIn 2"};
    QTest::newRow("4") << 4 << QStringList{"ZoomOut 3"};
    QTest::newRow("0") << 0 << QStringList{"ZoomOut 7"};
    QTest::newRow("14") << 14 << QStringList{"ZoomIn 7"};
    QTest::newRow("8") << 8 << QStringList{"ZoomIn 1"};
    QTest::newRow("6") << 6 << QStringList{"ZoomOut 1"};
}

void tst_MotionCommands::zoomLever()
{
    QFETCH(int, position);
    QFETCH(QStringList, operations);
    PanelHarness h;
    QVERIFY(h.start());
    auto *lever = h.child<QSlider>("Slider_Zoom");
    lever->setValue(position);
    QCOMPARE(h.trace.take(), operations);
    lever->setValue(7); // back at rest sends nothing
    QVERIFY(h.trace.take().isEmpty());
}

void tst_MotionCommands::zoomReleaseStops()
{
    PanelHarness h;
    QVERIFY(h.start());
    auto *lever = h.child<QSlider>("Slider_Zoom");
    lever->setSliderDown(true);
    lever->setValue(11);
    lever->setSliderDown(false); // emits sliderReleased
    QCOMPARE(lever->value(), 7);
    QCOMPARE(h.trace.take(), (QStringList{"ZoomIn 4", "ZoomStop"}));
}

void tst_MotionCommands::zoomWithoutCameraWarns()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    h.boxes.clear();
    auto *lever = h.child<QSlider>("Slider_Zoom");
    lever->setSliderDown(true);
    lever->setValue(3);
    QCOMPARE(h.boxes.count(), 1);
    lever->setSliderDown(false);
    QCOMPARE(h.boxes.count(), 1); // not for the return to 7 and the stop while it is open
    QTRY_COMPARE(MessageBoxCatcher::open(), 0);
    lever->setValue(3);
    QCOMPARE(h.boxes.count(), 2);
    QVERIFY(h.trace.take().isEmpty());
}

void tst_MotionCommands::presets_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("operation");
    QTest::newRow("recall 3") << "" << 3 << "CallPreset 3";
    QTest::newRow("store 8") << "BT_Set" << 8 << "SetPreset 8";
    QTest::newRow("clear 0") << "BT_Clear" << 0 << "ClearPreset 0";
}

void tst_MotionCommands::presets()
{
    QFETCH(QString, mode);
    QFETCH(int, key);
    QFETCH(QString, operation);
    PanelHarness h;
    QVERIFY(h.start());
    if (!mode.isEmpty())
        h.child<QAbstractButton>(qPrintable(mode))->click();
    h.child<QAbstractButton>(qPrintable(QStringLiteral("BT_%1").arg(key)))->click();
    QCOMPARE(h.trace.take(), QStringList{operation});
}

void tst_MotionCommands::presetsWithoutCameraAreSilent()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    h.boxes.clear();
    h.child<QAbstractButton>("BT_Set")->click();
    h.child<QAbstractButton>("BT_5")->click();
    h.child<QAbstractButton>("BT_6")->click();
    h.child<QAbstractButton>("set_pan_tilt")->click();
    h.child<QAbstractButton>("get_pan_tilt")->click();
    QVERIFY(h.trace.take().isEmpty());
    QCOMPARE(h.boxes.count(), 0);
    QCOMPARE(h.child<QLineEdit>("get_pan_data")->text(), QString());
}

void tst_MotionCommands::absolutePositions_data()
{
    QTest::addColumn<QString>("panText");
    QTest::addColumn<QString>("tiltText");
    QTest::addColumn<int>("pan");
    QTest::addColumn<int>("tilt");
    QTest::newRow("numbers") << "-300"
                             << "250" << -300 << 250;
    QTest::newRow("the camera's corner") << "1700"
                                         << "-300" << 1700 << -300;
}

void tst_MotionCommands::absolutePositions()
{
    QFETCH(QString, panText);
    QFETCH(QString, tiltText);
    QFETCH(int, pan);
    QFETCH(int, tilt);
    PanelHarness h;
    QVERIFY(h.start());
    h.child<QLineEdit>("set_pan_data")->setText(panText);
    h.child<QLineEdit>("set_tilt_data")->setText(tiltText);
    h.child<QAbstractButton>("set_pan_tilt")->click();
    QCOMPARE(h.trace.take(), (QStringList{QStringLiteral("SetPanPosition %1").arg(pan),
                                          QStringLiteral("SetTiltPosition %1").arg(tilt)}));
    h.child<QAbstractButton>("get_pan_tilt")->click();
    QCOMPARE(h.trace.take(), (QStringList{"GetPanPosition", "GetTiltPosition"}));
    QCOMPARE(h.child<QLineEdit>("get_pan_data")->text(), QString::number(pan));
    QCOMPARE(h.child<QLineEdit>("get_tilt_data")->text(), QString::number(tilt));
}

void tst_MotionCommands::unconnectedFocusSlots()
{
    PanelHarness h;
    QVERIFY(h.start());
    QVERIFY(h.invoke("AF_MF_Push", 1));
    QVERIFY(h.invoke("AF_MF_Push", 2));
    QVERIFY(h.invoke("AF_MF_Push", 3));
    QVERIFY(h.invoke("FucusStop"));
    QVERIFY(h.invoke("FocusChange"));
    QCOMPARE(h.trace.take(), (QStringList{"AutoFocus", "ManualFocus", "FocusStop"}));

    QVERIFY(h.invoke("IPCAMChange", 0));
    h.trace.take();
    QVERIFY(h.invoke("AF_MF_Push", 1));
    QVERIFY(h.invoke("AF_MF_Push", 3));
    QTRY_COMPARE(MessageBoxCatcher::open(), 0);
    QVERIFY(h.invoke("FucusStop"));
    QCOMPARE(h.boxes.count(), 2);
    QVERIFY(h.trace.take().isEmpty());
}

QTEST_MAIN(tst_MotionCommands)
#include "tst_motioncommands.moc"
