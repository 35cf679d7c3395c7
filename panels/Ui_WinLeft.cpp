// SPDX-License-Identifier: GPL-2.0-or-later
#include "Ui_WinLeft.h"
#include "FormBuilder.h"
#include "StyleSheets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using namespace FormBuilder;

namespace {

QLabel *caption(QWidget *parent, const char *name, const QRect &geometry, int pointSize = 10)
{
    auto *label = create<QLabel>(parent, name, geometry);
    label->setFont(arial(pointSize, QFont::Normal));
    return label;
}

// The camera sets the real range on connection; until then the form's placeholder.
QSlider *imageSlider(QWidget *parent, const char *name, const QRect &geometry)
{
    QSlider *slider = horizontalSlider(parent, name, geometry);
    slider->setMinimum(0);
    slider->setMaximum(20);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setValue(0);
    return slider;
}

QPushButton *button(QWidget *parent, const char *name, const QRect &geometry, int pointSize = 10)
{
    auto *key = create<QPushButton>(parent, name, geometry);
    key->setFont(arial(pointSize, QFont::Normal));
    return key;
}

QLineEdit *readout(QWidget *parent, const char *name, int y)
{
    auto *edit = create<QLineEdit>(parent, name, QRect(165, y, 40, 20));
    edit->setFont(inherited(arial(), parent));
    edit->setReadOnly(true);
    return edit;
}

} // namespace

void Ui_WinLeft::setupUi(QWidget *WinLeft)
{
    WinLeft->setFont(arial(11));

    line_3 = line(WinLeft, "line_3", QRect(210, 0, 1, 417), QFrame::VLine);
    label_7 = caption(WinLeft, "label_7", QRect(5, 100, 66, 20));
    label_10 = caption(WinLeft, "label_10", QRect(5, 220, 66, 20));
    Slider_Gamma = imageSlider(WinLeft, "Slider_Gamma", QRect(70, 220, 92, 16));
    Slider_Hue = imageSlider(WinLeft, "Slider_Hue", QRect(70, 100, 92, 16));
    Slider_WB = imageSlider(WinLeft, "Slider_WB", QRect(30, 340, 131, 16));
    label_11 = caption(WinLeft, "label_11", QRect(5, 300, 91, 20), 9);
    Slider_Contrast = imageSlider(WinLeft, "Slider_Contrast", QRect(70, 60, 92, 16));
    label_14 = caption(WinLeft, "label_14", QRect(5, 60, 66, 20));
    Slider_Brightness = imageSlider(WinLeft, "Slider_Brightness", QRect(70, 20, 92, 16));
    label_15 = caption(WinLeft, "label_15", QRect(5, 20, 66, 20));
    Slider_Saturation = imageSlider(WinLeft, "Slider_Saturation", QRect(70, 140, 92, 16));
    label_18 = caption(WinLeft, "label_18", QRect(5, 140, 66, 20));
    Slider_Sharpness = imageSlider(WinLeft, "Slider_Sharpness", QRect(70, 180, 92, 16));
    label_19 = caption(WinLeft, "label_19", QRect(5, 180, 66, 20));
    line_2 = line(WinLeft, "line_2", QRect(0, 380, 200, 1), QFrame::HLine);
    label_25 = caption(WinLeft, "label_25", QRect(25, 388, 66, 20));

    ComboBox_Flicker = create<QComboBox>(WinLeft, "ComboBox_Flicker", QRect(75, 391, 55, 16));
    for (int i = 0; i < 3; ++i)
        ComboBox_Flicker->addItem(QString());
    QFont selectorFont = arial(8, QFont::Normal);
    selectorFont.setItalic(false);
    ComboBox_Flicker->setFont(selectorFont);

    BT_Mirror = button(WinLeft, "BT_Mirror", QRect(215, 140, 48, 25));
    BT_Flip = button(WinLeft, "BT_Flip", QRect(215, 100, 48, 25));
    BT_HOME = button(WinLeft, "BT_HOME", QRect(215, 220, 48, 25));
    BT_Menu = button(WinLeft, "BT_Menu", QRect(215, 180, 48, 25), 7);
    BT_Reset = button(WinLeft, "BT_Reset", QRect(215, 340, 48, 25));
    line_11 = line(WinLeft, "line_11", QRect(267, 0, 1, 417), QFrame::VLine);
    BT_PUSH = button(WinLeft, "BT_PUSH", QRect(215, 300, 48, 25));
    // "Framing" at the buttons' 10 points is wider than the key.
    BT_AI = button(WinLeft, "BT_AI", QRect(215, 260, 48, 25), 9);
    v_brightness = readout(WinLeft, "v_brightness", 20);
    v_contrast = readout(WinLeft, "v_contrast", 60);
    v_hue = readout(WinLeft, "v_hue", 100);
    v_saturation = readout(WinLeft, "v_saturation", 140);
    v_sharpness = readout(WinLeft, "v_sharpness", 180);
    v_gamma = readout(WinLeft, "v_gamma", 220);
    v_wb = readout(WinLeft, "v_wb", 340);
    Slider_BLC = imageSlider(WinLeft, "Slider_BLC", QRect(70, 260, 92, 16));
    v_blc = readout(WinLeft, "v_blc", 260);
    label_12 = caption(WinLeft, "label_12", QRect(5, 260, 66, 20));
    label_13 = caption(WinLeft, "label_13", QRect(140, 300, 31, 20), 9);
    Cb_WB = create<QCheckBox>(WinLeft, "Cb_WB", QRect(178, 303, 16, 16));
    Cb_WB->setChecked(false);
    BT_IR = button(WinLeft, "BT_IR", QRect(215, 20, 48, 25));
    BT_DAY = button(WinLeft, "BT_DAY", QRect(215, 60, 48, 25));
    BT_RST_PTZ = button(WinLeft, "BT_RST_PTZ", QRect(215, 380, 48, 25), 8);

    keepPresses(WinLeft);
    // Once its controls are there: Qt parses a panel's sheet when a control is made that asks
    // its style something, and again when the panel is first shown.
    WinLeft->setStyleSheet(StyleSheets::imagePanelForm());

    retranslateUi(WinLeft);
    ComboBox_Flicker->setCurrentIndex(1);
    QMetaObject::connectSlotsByName(WinLeft);
}

void Ui_WinLeft::retranslateUi(QWidget *)
{
    label_7->setText(QCoreApplication::translate("WinLeft", "Hue"));
    label_10->setText(QCoreApplication::translate("WinLeft", "Gamma"));
    label_11->setText(QCoreApplication::translate("WinLeft", "WhiteBalance"));
    label_14->setText(QCoreApplication::translate("WinLeft", "Contrast"));
    label_15->setText(QCoreApplication::translate("WinLeft", "Brightness"));
    label_18->setText(QCoreApplication::translate("WinLeft", "Saturation"));
    label_19->setText(QCoreApplication::translate("WinLeft", "Sharpness"));
    label_25->setText(QCoreApplication::translate("WinLeft", "Flicker"));
    ComboBox_Flicker->setItemText(0, QCoreApplication::translate("WinLeft", "OFF"));
    ComboBox_Flicker->setItemText(1, QCoreApplication::translate("WinLeft", "50Hz"));
    ComboBox_Flicker->setItemText(2, QCoreApplication::translate("WinLeft", "60Hz"));
    BT_Mirror->setText(QCoreApplication::translate("WinLeft", "Mirror"));
    BT_Flip->setText(QCoreApplication::translate("WinLeft", "Flip"));
    BT_HOME->setText(QCoreApplication::translate("WinLeft", "Home"));
    BT_Menu->setText(QCoreApplication::translate("WinLeft", "Menu OFF"));
    BT_Reset->setText(QCoreApplication::translate("WinLeft", "Reset"));
    BT_PUSH->setText(QCoreApplication::translate("WinLeft", "Push"));
    BT_AI->setText(QCoreApplication::translate("WinLeft", "Framing"));
    v_brightness->setText(QCoreApplication::translate("WinLeft", "10000"));
    v_contrast->setText(QCoreApplication::translate("WinLeft", "10000"));
    v_hue->setText(QCoreApplication::translate("WinLeft", "1000"));
    v_saturation->setText(QCoreApplication::translate("WinLeft", "1000"));
    v_sharpness->setText(QCoreApplication::translate("WinLeft", "1000"));
    v_gamma->setText(QCoreApplication::translate("WinLeft", "1000"));
    v_wb->setText(QCoreApplication::translate("WinLeft", "1000"));
    v_blc->setText(QCoreApplication::translate("WinLeft", "1000"));
    label_12->setText(QCoreApplication::translate("WinLeft", "BackLight"));
    label_13->setText(QCoreApplication::translate("WinLeft", "Auto"));
    Cb_WB->setText(QString());
    BT_IR->setText(QCoreApplication::translate("WinLeft", "IR OFF"));
    BT_DAY->setText(QCoreApplication::translate("WinLeft", "DAY"));
    BT_RST_PTZ->setText(QCoreApplication::translate("WinLeft", "RST-PTZ"));
}
