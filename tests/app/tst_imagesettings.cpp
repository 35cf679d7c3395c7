// SPDX-License-Identifier: GPL-2.0-or-later
// Image settings reaching the camera: sliders moved by a drag, keys, the wheel or the groove,
// never by the program, the flicker selector, automatic and manual white balance, and the
// reset to the camera's defaults.
#include "PanelHarness.h"
#include "SliderHandle.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

namespace {

const QByteArray firstCamera = "name=First\n"
                               "brightness=0,100,1,50,60,1\n"
                               "contrast=0,100,1,40,45,1\n"
                               "whitebalance=2000,7000,50,5000,4500,1\n";
const QByteArray secondCamera = "name=Second\nwhitebalance=3000,6000,10,3300,3500,1\n";

} // namespace

class tst_ImageSettings : public QObject
{
    Q_OBJECT

private slots:
    void sliderMovesReachTheCamera_data();
    void sliderMovesReachTheCamera();
    void draggingWithTheMouse();
    void everyWayOfMovingASliderIsSent_data();
    void everyWayOfMovingASliderIsSent();
    void sliderWithoutCameraWarns();
    void flickerSelector();
    void whiteBalanceModes();
    void manualWhiteBalanceUsesLastCamerasDefault();
    void resetRestoresDefaults();
    void withoutCameraTheKeysDoNothing();
};

void tst_ImageSettings::sliderMovesReachTheCamera_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("operation");
    QTest::newRow("brightness") << "Slider_Brightness"
                                << "v_brightness"
                                << "SetBrightness";
    QTest::newRow("contrast") << "Slider_Contrast"
                              << "v_contrast"
                              << "SetContrast";
    QTest::newRow("hue") << "Slider_Hue"
                         << "v_hue"
                         << "SetHue";
    QTest::newRow("saturation") << "Slider_Saturation"
                                << "v_saturation"
                                << "SetSaturation";
    QTest::newRow("sharpness") << "Slider_Sharpness"
                               << "v_sharpness"
                               << "SetSharpness";
    QTest::newRow("gamma") << "Slider_Gamma"
                           << "v_gamma"
                           << "SetGamma";
    QTest::newRow("backlight") << "Slider_BLC"
                               << "v_blc"
                               << "SetBacklight";
    QTest::newRow("white balance") << "Slider_WB"
                                   << "v_wb"
                                   << "SetWhiteBalance";
}

void tst_ImageSettings::sliderMovesReachTheCamera()
{
    QFETCH(QString, slider);
    QFETCH(QString, readout);
    QFETCH(QString, operation);
    PanelHarness h;
    QVERIFY(h.start());
    emit h.child<QSlider>(qPrintable(slider))->sliderMoved(12);
    QCOMPARE(h.child<QLineEdit>(qPrintable(readout))->text(), QString("12"));
    QCOMPARE(h.trace.take(), QStringList{operation + " 12"});
    QCOMPARE(h.boxes.count(), 0);
}

void tst_ImageSettings::draggingWithTheMouse()
{
    PanelHarness h({{"a.cam", firstCamera}});
    QVERIFY(h.start());
    h.slide(true);
    auto *slider = h.child<QSlider>("Slider_Brightness");
    const QPoint grip = sliderHandleRect(slider).center();
    QTest::mousePress(slider, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPoint(slider->width() + 40, grip.y()), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(slider, &move);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() + 40, grip.y()));
    QCOMPARE(h.trace.take(), QStringList{"SetBrightness 100"});
    QCOMPARE(h.child<QLineEdit>("v_brightness")->text(), QString("100"));
}

void tst_ImageSettings::everyWayOfMovingASliderIsSent_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("sent");
    // Brightness stands at 60 of 0..100 in steps of 1, white balance at 4500 of 2000..7000 in
    // steps of 50; a page is a tenth of the range.
    const auto row = [](const char *name, const char *slider, const char *readout,
                        const char *action, const QStringList &sent) {
        QTest::newRow(name) << slider << readout << action << sent;
    };
    row("a key", "Slider_Brightness", "v_brightness", "Right", {"SetBrightness 61"});
    row("a key at the end changes nothing", "Slider_Brightness", "v_brightness", "End End",
        {"SetBrightness 100"});
    row("Page Up", "Slider_Brightness", "v_brightness", "PgUp", {"SetBrightness 70"});
    row("the wheel", "Slider_Brightness", "v_brightness", "wheel", {"SetBrightness 63"});
    row("a click on the groove", "Slider_Brightness", "v_brightness", "groove",
        {"SetBrightness 70"});
    row("a key, in the camera's steps", "Slider_WB", "v_wb", "Left", {"SetWhiteBalance 4450"});
    row("the wheel, in the camera's steps", "Slider_WB", "v_wb", "wheel", {"SetWhiteBalance 4650"});
    row("set by the program", "Slider_Brightness", "v_brightness", "code", {});
    row("Reset", "Slider_Brightness", "v_brightness", "reset", {"RestoreImageDefaults"});
}

void tst_ImageSettings::everyWayOfMovingASliderIsSent()
{
    QFETCH(QString, slider);
    QFETCH(QString, readout);
    QFETCH(QString, action);
    QFETCH(QStringList, sent);
    PanelHarness h({{"a.cam", firstCamera}});
    QVERIFY(h.start());
    h.slide(true);
    auto *control = h.child<QSlider>(qPrintable(slider));
    const QString before = h.child<QLineEdit>(qPrintable(readout))->text();
    control->setFocus();
    for (const QString &step : action.split(' ')) {
        if (step == "wheel") {
            QWheelEvent wheel(QPointF(5, 5), control->mapToGlobal(QPoint(5, 5)), QPoint(),
                              QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QCoreApplication::sendEvent(control, &wheel);
        } else if (step == "groove") {
            // The groove is a thin line, inside the slider's ends.
            QTest::mouseClick(control, Qt::LeftButton, {},
                              QPoint(control->width() - 6, control->height() / 2));
        } else if (step == "code") {
            control->setValue(10);
        } else if (step == "reset") {
            h.child<QAbstractButton>("BT_Reset")->click();
        } else {
            QTest::keyClick(control, Qt::Key(QKeySequence(step)[0]));
        }
    }
    QCOMPARE(h.trace.take(), sent);
    // The read-out shows what was sent, and what the program set it shows itself.
    const QString shown = h.child<QLineEdit>(qPrintable(readout))->text();
    if (sent.isEmpty())
        QCOMPARE(shown, before);
    else if (action != "reset")
        QCOMPARE(shown, sent.last().section(' ', 1));
    QCOMPARE(h.boxes.count(), 0);
}

void tst_ImageSettings::sliderWithoutCameraWarns()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    h.boxes.clear();
    emit h.child<QSlider>("Slider_Sharpness")->sliderMoved(7);
    emit h.child<QSlider>("Slider_Sharpness")->sliderMoved(8);
    QCOMPARE(h.child<QLineEdit>("v_sharpness")->text(), QString("8"));
    QCOMPARE(h.boxes.count(), 1); // the second move while the warning is open adds none
    QTRY_COMPARE(MessageBoxCatcher::open(), 0);
    emit h.child<QSlider>("Slider_Sharpness")->sliderMoved(9);
    QCOMPARE(h.boxes.count(), 2);
    QVERIFY(h.trace.take().isEmpty());
}

void tst_ImageSettings::flickerSelector()
{
    PanelHarness h;
    QVERIFY(h.start());
    QVERIFY(h.trace.lines().filter("SetFlicker").isEmpty()); // "50Hz" from start, unsent
    auto *flicker = h.child<QComboBox>("ComboBox_Flicker");
    QCOMPARE(flicker->currentText(), QString("50Hz"));
    flicker->setCurrentIndex(2);
    flicker->setCurrentIndex(0);
    flicker->setCurrentIndex(1);
    // OFF is a mode of its own, sent as such.
    QCOMPARE(h.trace.take(), (QStringList{"SetFlicker 2", "SetFlicker 0", "SetFlicker 1"}));
    QCOMPARE(h.boxes.count(), 0);

    QVERIFY(h.invoke("IPCAMChange", 0));
    h.trace.take();
    flicker->setCurrentIndex(0);
    QCOMPARE(h.boxes.count(), 1);
    QTRY_COMPARE(MessageBoxCatcher::open(), 0);
    flicker->setCurrentIndex(2);
    QCOMPARE(h.boxes.count(), 2);
    QVERIFY(h.trace.take().isEmpty());
}

void tst_ImageSettings::whiteBalanceModes()
{
    PanelHarness h({{"a.cam", firstCamera}});
    QVERIFY(h.start());
    auto *box = h.child<QCheckBox>("Cb_WB");
    auto *slider = h.child<QSlider>("Slider_WB");
    box->click();
    QCOMPARE(h.trace.take(), QStringList{"SetWhiteBalanceAuto 1"});
    QVERIFY(!slider->isEnabled());

    box->click();
    QCOMPARE(h.trace.take(), (QStringList{"SetWhiteBalanceAuto 0", "SetWhiteBalance 5000"}));
    QVERIFY(slider->isEnabled());
    QCOMPARE(slider->value(), 5000);
    QCOMPARE(h.child<QLineEdit>("v_wb")->text(), QString("5000"));
}

void tst_ImageSettings::manualWhiteBalanceUsesLastCamerasDefault()
{
    PanelHarness h({{"a.cam", firstCamera}, {"b.cam", secondCamera}});
    QVERIFY(h.start());
    h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(1);
    auto *box = h.child<QCheckBox>("Cb_WB");
    box->click();
    h.trace.take();
    box->click();
    QCOMPARE(h.trace.take(), (QStringList{"SetWhiteBalanceAuto 0", "SetWhiteBalance 3300"}));
    QCOMPARE(h.child<QLineEdit>("v_wb")->text(), QString("3300"));
}

void tst_ImageSettings::resetRestoresDefaults()
{
    PanelHarness h({{"a.cam", firstCamera}});
    QVERIFY(h.start());
    emit h.child<QSlider>("Slider_Brightness")->sliderMoved(90);
    emit h.child<QSlider>("Slider_Contrast")->sliderMoved(5);
    h.child<QSlider>("Slider_Brightness")->setValue(90);
    h.child<QSlider>("Slider_WB")->setEnabled(false);
    h.trace.take();

    h.child<QAbstractButton>("BT_Reset")->click();
    QCOMPARE(h.trace.take(), QStringList{"RestoreImageDefaults"});
    QCOMPARE(h.child<QSlider>("Slider_Brightness")->value(), 50);
    QCOMPARE(h.child<QSlider>("Slider_Contrast")->value(), 40);
    QCOMPARE(h.child<QSlider>("Slider_WB")->value(), 5000);
    QCOMPARE(h.child<QLineEdit>("v_brightness")->text(), QString("50"));
    QCOMPARE(h.child<QLineEdit>("v_contrast")->text(), QString("40"));
    QCOMPARE(h.child<QLineEdit>("v_gamma")->text(), QString("300"));
    QVERIFY(!h.child<QSlider>("Slider_WB")->isEnabled()); // the mode stays as it was
    QCOMPARE(h.child<QComboBox>("ComboBox_Flicker")->currentText(), QString("50Hz"));
}

void tst_ImageSettings::withoutCameraTheKeysDoNothing()
{
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    h.boxes.clear();
    auto *slider = h.child<QSlider>("Slider_WB");
    h.child<QCheckBox>("Cb_WB")->click();
    h.child<QCheckBox>("Cb_WB")->click();
    h.child<QAbstractButton>("BT_Reset")->click();
    QVERIFY(slider->isEnabled());
    QCOMPARE(slider->value(), 0);
    QCOMPARE(h.child<QLineEdit>("v_wb")->text(), QString("1000"));
    QCOMPARE(h.boxes.count(), 0);
    QVERIFY(h.trace.take().isEmpty());
}

QTEST_MAIN(tst_ImageSettings)
#include "tst_imagesettings.moc"
