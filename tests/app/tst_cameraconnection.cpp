// SPDX-License-Identifier: GPL-2.0-or-later
// Finding and connecting cameras: the start-up enumeration, the plug-in warning and the
// topmost band around it, hot-plug bursts, and choosing another camera.
#include "PanelHarness.h"
#include "Win32.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QtTest>

namespace {

const QByteArray deskCamera = "name=Desk camera\n"
                              "brightness=-10,10,1,2,4,1\n"
                              "contrast=100,300,1,200,250,1\n"
                              "hue=-5,5,1,0,-3,0\n"
                              "saturation=0,64,1,32,40,1\n"
                              "sharpness=1,7,1,3,6,1\n"
                              "gamma=50,150,1,100,120,1\n"
                              "backlight=0,3,1,1,2,1\n"
                              "whitebalance=2000,7000,50,5000,4500,1\n";

const QStringList connectOnce = {"Close", "Initial", "Open 0 1", "ReadParameters", "MenuOff"};

QStringList enumerationConnectingFirst()
{
    return QStringList{"Initial", "EnumUSBDevices"} + connectOnce + connectOnce;
}

// Emptying a filled selector first tries to connect to index -1.
QStringList reenumerationConnectingFirst()
{
    return QStringList{"Initial", "Close", "Initial", "Open -1 1", "EnumUSBDevices"} + connectOnce +
           connectOnce;
}

} // namespace

class tst_CameraConnection : public QObject
{
    Q_OBJECT

private slots:
    void oneCameraAtStartUp();
    void noCameraAtStartUp();
    void warningLeavesTopmostBandOnlyWhenOnTop();
    void oneWarningAtATime_data();
    void oneWarningAtATime();
    void hotPlugBurstGivesOneEnumeration();
    void plugAndUnplugFiles();
    void otherMessagesAreNotDeviceChanges();
    void choosingAnotherCamera();
    void failingOpenKeepsTheOldValues();
    void ipcamChangeDropsTheCamera();
};

void tst_CameraConnection::oneCameraAtStartUp()
{
    PanelHarness h({{"desk.cam", deskCamera}});
    QVERIFY(h.start());
    QCOMPARE(h.initTimer()->interval(), 500);
    QCOMPARE(h.trace.lines().mid(1), enumerationConnectingFirst());
    QCOMPARE(h.boxes.count(), 0);
    QVERIFY(h.cameraPresent());

    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    QCOMPARE(selector->count(), 1);
    QCOMPARE(selector->itemText(0), QString("Desk camera"));

    struct Expect
    {
        const char *slider, *readout;
        int minimum, maximum, value;
        bool enabled;
        int step, page; // the camera's step; a tenth of the range in such steps, one at least
    };
    const Expect expected[] = {
        {"Slider_Brightness", "v_brightness", -10, 10, 4, true, 1, 2},
        {"Slider_Contrast", "v_contrast", 100, 300, 250, true, 1, 20},
        {"Slider_Hue", "v_hue", -5, 5, -3, false, 1, 1},
        {"Slider_Saturation", "v_saturation", 0, 64, 40, true, 1, 6},
        {"Slider_Sharpness", "v_sharpness", 1, 7, 6, true, 1, 1},
        {"Slider_Gamma", "v_gamma", 50, 150, 120, true, 1, 10},
        {"Slider_BLC", "v_blc", 0, 3, 2, true, 1, 1},
        {"Slider_WB", "v_wb", 2000, 7000, 4500, true, 50, 500},
    };
    for (const Expect &e : expected) {
        auto *slider = h.child<QSlider>(e.slider);
        QCOMPARE(slider->minimum(), e.minimum);
        QCOMPARE(slider->maximum(), e.maximum);
        QCOMPARE(slider->value(), e.value);
        QCOMPARE(slider->singleStep(), e.step);
        QCOMPARE(slider->pageStep(), e.page);
        QCOMPARE(slider->isEnabled(), e.enabled);
        QCOMPARE(h.child<QLineEdit>(e.readout)->text(), QString::number(e.value));
    }
    // Loading values by code sent nothing but the connection itself.
    QVERIFY(h.trace.lines().filter(QRegularExpression("^Set")).isEmpty());
    QVERIFY(h.trace.peek().isEmpty());
}

void tst_CameraConnection::noCameraAtStartUp()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    QCOMPARE(h.boxes.count(), 1);
    const MessageBoxCatcher::Box &box = h.boxes.shown().first();
    QCOMPARE(box.title, QString("Warning"));
    QCOMPARE(box.text, QString("Please plug in the morvane's camera !"));
    QCOMPARE(box.buttons, int(QMessageBox::Yes));
    QCOMPARE(box.defaultButton, int(QMessageBox::Yes));
    QVERIFY(!h.cameraPresent());
    QCOMPARE(h.child<QComboBox>("Box_Camera_USB")->count(), 0);
    for (QSlider *slider : h.child<QWidget>("Win_Left")->findChildren<QSlider *>()) {
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 20);
        QCOMPARE(slider->value(), 0);
    }
    QCOMPARE(h.child<QLineEdit>("v_brightness")->text(), QString("10000"));
    QTest::qWait(700);
    QCOMPARE(h.boxes.count(), 1);
}

void tst_CameraConnection::warningLeavesTopmostBandOnlyWhenOnTop()
{
    PanelHarness h(PanelHarness::NoCamera);
    QList<bool> topmostWhileShown;
    h.boxes.onShow = [&] {
        topmostWhileShown.append(IsWindowTopmost(reinterpret_cast<HWND>(h.window().winId())));
    };
    QVERIFY(h.start());
    const auto hwnd = reinterpret_cast<HWND>(h.window().winId());
    QCOMPARE(topmostWhileShown, QList<bool>{false});
    QVERIFY(IsWindowTopmost(hwnd));

    // Switched off by the stay-on-top key: the warning leaves the z-order alone.
    h.child<QAbstractButton>("BT_Top")->click();
    QVERIFY(!h.window().property("onTop").toBool());
    QVERIFY(!IsWindowTopmost(hwnd));
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); // a marker
    emit h.child<QSlider>("Slider_Gamma")->sliderMoved(3);
    QCOMPARE(topmostWhileShown, (QList<bool>{false, true}));
    QVERIFY(IsWindowTopmost(hwnd));
}

void tst_CameraConnection::oneWarningAtATime_data()
{
    QTest::addColumn<QString>("trigger");
    for (const char *trigger : {"unplug", "slider", "flicker", "zoom"})
        QTest::newRow(trigger) << trigger;
}

void tst_CameraConnection::oneWarningAtATime()
{
    QFETCH(QString, trigger);
    PanelHarness h(PanelHarness::NoCamera);
    h.boxes.dismiss = false;
    QVERIFY(h.start());
    QCOMPARE(h.boxes.count(), 1);
    const auto hwnd = reinterpret_cast<HWND>(h.window().winId());
    QVERIFY(!IsWindowTopmost(hwnd));

    // The user goes on without a camera: nothing stacks and the panel stays usable.
    auto *lever = h.child<QSlider>("Slider_Zoom");
    for (int i = 0; i < 3; ++i) {
        if (trigger == "unplug") {
            h.cameras.plug("gone.cam", "name=Gone\n");
            h.cameras.unplug("gone.cam");
            QVERIFY(h.deviceChange(DBT_DEVICEREMOVECOMPLETE));
            QTRY_VERIFY(h.settled());
        } else if (trigger == "slider") {
            emit h.child<QSlider>("Slider_Gamma")->sliderMoved(i);
        } else if (trigger == "flicker") {
            h.child<QComboBox>("ComboBox_Flicker")->setCurrentIndex(i % 2 ? 1 : 2);
        } else {
            lever->setSliderDown(true);
            lever->setValue(3 + i);
            lever->setSliderDown(false);
            lever->setValue(7);
        }
        QTest::qWait(20);
    }
    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(MessageBoxCatcher::open(), 1);
    // The stay-on-top key while it is open would put the panel over it.
    h.child<QAbstractButton>("BT_Top")->click();
    h.child<QAbstractButton>("BT_Top")->click();
    QVERIFY(h.window().property("onTop").toBool());
    QVERIFY(!IsWindowTopmost(hwnd));

    // A camera arrives: the warning goes by itself and the panel is back on top.
    h.cameras.plug("desk.cam", deskCamera);
    QVERIFY(h.deviceChange(DBT_DEVICEARRIVAL));
    QTRY_VERIFY(h.cameraPresent() && h.settled());
    QTRY_COMPARE(MessageBoxCatcher::open(), 0);
    QVERIFY(IsWindowTopmost(hwnd));

    // And the next time the camera is gone, there is a warning again.
    h.cameras.unplug("desk.cam");
    QVERIFY(h.deviceChange(DBT_DEVICEREMOVECOMPLETE));
    QTRY_COMPARE(h.boxes.count(), 2);
    QCOMPARE(MessageBoxCatcher::open(), 1);
    QCOMPARE(h.boxes.shown().last().text, QString("Please plug in the morvane's camera !"));
}

void tst_CameraConnection::hotPlugBurstGivesOneEnumeration()
{
    PanelHarness h({{"a.cam", "name=A\n"}});
    QVERIFY(h.start());
    for (int i = 0; i < 100; ++i) {
        QVERIFY(h.deviceChange(i % 2 ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE));
        if (i % 10 == 0)
            QTest::qWait(20);
    }
    QVERIFY(h.initTimer()->isActive());
    QTest::qWait(250);
    QVERIFY(h.trace.peek().isEmpty());
    QTRY_VERIFY(h.settled());
    QCOMPARE(h.trace.take(), reenumerationConnectingFirst());
}

void tst_CameraConnection::plugAndUnplugFiles()
{
    PanelHarness h({{"b.cam", "name=B\n"}});
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    selector->setCurrentIndex(0);
    h.trace.take();

    // Plugging in: each camera listed once, and the first one connected.
    h.cameras.plug("a.cam", "name=A\n");
    h.cameras.plug("c.cam", "name=C\n");
    QTRY_VERIFY(h.trace.peek().contains("EnumUSBDevices"));
    QTRY_VERIFY(h.settled());
    QCOMPARE(selector->count(), 3);
    QCOMPARE(selector->itemText(0), QString("A"));
    QCOMPARE(selector->itemText(2), QString("C"));
    QCOMPARE(selector->currentIndex(), 0);
    QCOMPARE(h.trace.take().count("EnumUSBDevices"), 1);

    // Unplugging everything: emptied, warned, no camera.
    h.cameras.unplug("a.cam");
    h.cameras.unplug("b.cam");
    h.cameras.unplug("c.cam");
    QTRY_COMPARE(h.boxes.count(), 1);
    QTRY_VERIFY(h.settled());
    QCOMPARE(selector->count(), 0);
    QVERIFY(!h.cameraPresent());

    // And back again.
    h.cameras.plug("z.cam", "name=Z\n");
    QTRY_COMPARE(selector->count(), 1);
    QTRY_VERIFY(h.cameraPresent());
}

void tst_CameraConnection::otherMessagesAreNotDeviceChanges()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    QVERIFY(!h.deviceChange(0x0007)); // DBT_DEVNODES_CHANGED
    QVERIFY(!h.initTimer()->isActive());
}

void tst_CameraConnection::choosingAnotherCamera()
{
    PanelHarness h({{"a.cam", deskCamera}, {"b.cam", "name=Other\nbrightness=0,50,1,25,30,1\n"}});
    QVERIFY(h.start());
    h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(1);
    QCOMPARE(h.trace.take(),
             (QStringList{"Close", "Initial", "Open 1 1", "ReadParameters", "MenuOff"}));
    auto *brightness = h.child<QSlider>("Slider_Brightness");
    QCOMPARE(brightness->maximum(), 50);
    QCOMPARE(brightness->value(), 30);
    QCOMPARE(h.child<QLineEdit>("v_brightness")->text(), QString("30"));
    // Hue was unavailable on the first camera; the built-in values say available.
    QVERIFY(h.child<QSlider>("Slider_Hue")->isEnabled());
}

void tst_CameraConnection::failingOpenKeepsTheOldValues()
{
    PanelHarness h({{"a.cam", deskCamera}, {"b.cam", "name=Broken\nopen=fail\n"}});
    QVERIFY(h.start());
    h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(1);
    QCOMPARE(h.trace.take(), (QStringList{"Close", "Initial", "Open 1 1"}));
    QCOMPARE(h.boxes.count(), 0);
    QVERIFY(h.cameraPresent());
    QCOMPARE(h.child<QSlider>("Slider_Contrast")->value(), 250);
    QCOMPARE(h.child<QLineEdit>("v_contrast")->text(), QString("250"));

    // Reading positions from no open camera shows 0, not whatever was on the stack.
    h.child<QAbstractButton>("get_pan_tilt")->click();
    QCOMPARE(h.child<QLineEdit>("get_pan_data")->text(), QString("0"));
    QCOMPARE(h.child<QLineEdit>("get_tilt_data")->text(), QString("0"));
}

void tst_CameraConnection::ipcamChangeDropsTheCamera()
{
    PanelHarness h({{"a.cam", deskCamera}});
    QVERIFY(h.start());
    QVERIFY(h.invoke("IPCAMChange", 0));
    QCOMPARE(h.trace.take(), QStringList{"Close"});
    QVERIFY(!h.cameraPresent());
    QVERIFY(h.invoke("DeviceChange"));
    QVERIFY(h.trace.take().isEmpty());
}

QTEST_MAIN(tst_CameraConnection)
#include "tst_cameraconnection.moc"
