// SPDX-License-Identifier: GPL-2.0-or-later
// The panel shows the camera as it is: keys it cannot perform are greyed while it is
// connected, the white-balance box and the anti-flicker selector show its modes, and what
// changes elsewhere (here: the simulated camera's file, edited while it runs) reaches the
// sliders without a command going back and without a panel signal.
#include "PanelHarness.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

namespace {

const QByteArray plainCamera = "name=Plain\nlacks=flip,mirror,ir,daynight,framing\n";

QStringList enabledKeys(PanelHarness &h)
{
    QStringList enabled;
    for (const char *key : {"BT_IR", "BT_DAY", "BT_Flip", "BT_Mirror", "BT_Menu", "BT_HOME",
                            "BT_AI", "BT_PUSH", "BT_Reset", "BT_RST_PTZ", "Cb_WB"})
        if (h.child<QWidget>(key)->isEnabled())
            enabled << key;
    return enabled;
}

} // namespace

class tst_CameraState : public QObject
{
    Q_OBJECT

private slots:
    void keysFollowWhatTheCameraCanDo();
    void modesShowTheCamerasOwn_data();
    void modesShowTheCamerasOwn();
    void editsElsewhereReachTheSliders();
};

void tst_CameraState::keysFollowWhatTheCameraCanDo()
{
    PanelHarness h({{"a.cam", plainCamera}, {"b.cam", "name=Full\n"}});
    QVERIFY(h.start());
    QCOMPARE(enabledKeys(h),
             (QStringList{"BT_Menu", "BT_HOME", "BT_Reset", "BT_RST_PTZ", "Cb_WB"}));
    h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(1);
    QCOMPARE(enabledKeys(h).size(), 11);
    h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(0);
    QCOMPARE(enabledKeys(h).size(), 5);
    // Without a camera every key is as the form has it.
    h.cameras.unplug("a.cam");
    h.cameras.unplug("b.cam");
    h.deviceChange(0x8004);
    QTRY_VERIFY(h.boxes.count() == 1);
    QCOMPARE(enabledKeys(h).size(), 11);
}

void tst_CameraState::modesShowTheCamerasOwn_data()
{
    QTest::addColumn<QByteArray>("camera");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QString>("flicker");
    QTest::newRow("manual, 50 Hz")
        << QByteArray("whitebalanceauto=0,1,1,1,0,1\n") << false << "50Hz";
    QTest::newRow("automatic, 60 Hz")
        << QByteArray("whitebalanceauto=0,1,1,1,1,1\nflicker=0,3,1,1,2,1\n") << true << "60Hz";
    QTest::newRow("flicker off") << QByteArray("flicker=0,3,1,1,0,1\n") << false << "OFF";
}

void tst_CameraState::modesShowTheCamerasOwn()
{
    QFETCH(QByteArray, camera);
    QFETCH(bool, automatic);
    QFETCH(QString, flicker);
    PanelHarness h({{"a.cam", camera}});
    QVERIFY(h.start());
    QCOMPARE(h.child<QCheckBox>("Cb_WB")->isChecked(), automatic);
    QCOMPARE(h.child<QSlider>("Slider_WB")->isEnabled(), !automatic);
    QCOMPARE(h.child<QComboBox>("ComboBox_Flicker")->currentText(), flicker);
    QVERIFY(h.trace.take().filter("SetFlicker").isEmpty()); // shown, not sent
}

void tst_CameraState::editsElsewhereReachTheSliders()
{
    PanelHarness h({{"a.cam", "brightness=0,255,1,128,100,1\n"}});
    QVERIFY(h.start());
    auto *slider = h.child<QSlider>("Slider_Brightness");
    QCOMPARE(slider->value(), 100);
    QSignalSpy moved(slider, &QSlider::sliderMoved);
    QSignalSpy left(h.child<QWidget>("Win_Left"), SIGNAL(BT_Pressed(int)));

    h.cameras.plug("a.cam", "brightness=0,255,1,128,200,1\nwhitebalanceauto=0,1,1,1,1,1\n");
    QTRY_COMPARE(slider->value(), 200);
    QCOMPARE(h.child<QLineEdit>("v_brightness")->text(), QString("200"));
    QTRY_VERIFY(h.child<QCheckBox>("Cb_WB")->isChecked());
    QVERIFY(!h.child<QSlider>("Slider_WB")->isEnabled());
    // Read, never written back; no panel signal, no warning.
    for (const QString &line : h.trace.take())
        QCOMPARE(line, QString("ReadParameters"));
    QCOMPARE(moved.count(), 0);
    QCOMPARE(left.count(), 0);
    QCOMPARE(h.boxes.count(), 0);

    // What the panel set meanwhile stays unless the file changes that very value.
    emit slider->sliderMoved(50);
    h.cameras.plug("a.cam", "brightness=0,255,1,128,200,1\n");
    QTRY_VERIFY(!h.child<QCheckBox>("Cb_WB")->isChecked());
    QCOMPARE(slider->value(), 50);
    QCOMPARE(h.child<QLineEdit>("v_brightness")->text(), QString("50"));
}

QTEST_MAIN(tst_CameraState)
#include "tst_camerastate.moc"
