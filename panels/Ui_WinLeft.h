// SPDX-License-Identifier: GPL-2.0-or-later
// Form of the image settings panel: 41 widgets at 96 dpi geometry, in creation order.
#pragma once

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

class Ui_WinLeft
{
public:
    QFrame *line_3;
    QLabel *label_7;
    QLabel *label_10;
    QSlider *Slider_Gamma;
    QSlider *Slider_Hue;
    QSlider *Slider_WB;
    QLabel *label_11;
    QSlider *Slider_Contrast;
    QLabel *label_14;
    QSlider *Slider_Brightness;
    QLabel *label_15;
    QSlider *Slider_Saturation;
    QLabel *label_18;
    QSlider *Slider_Sharpness;
    QLabel *label_19;
    QFrame *line_2;
    QLabel *label_25;
    QComboBox *ComboBox_Flicker;
    QPushButton *BT_Mirror;
    QPushButton *BT_Flip;
    QPushButton *BT_HOME;
    QPushButton *BT_Menu;
    QPushButton *BT_Reset;
    QFrame *line_11;
    QPushButton *BT_PUSH;
    QPushButton *BT_AI;
    QLineEdit *v_brightness;
    QLineEdit *v_contrast;
    QLineEdit *v_hue;
    QLineEdit *v_saturation;
    QLineEdit *v_sharpness;
    QLineEdit *v_gamma;
    QLineEdit *v_wb;
    QSlider *Slider_BLC;
    QLineEdit *v_blc;
    QLabel *label_12;
    QLabel *label_13;
    QCheckBox *Cb_WB;
    QPushButton *BT_IR;
    QPushButton *BT_DAY;
    QPushButton *BT_RST_PTZ;

    void setupUi(QWidget *WinLeft);
    void retranslateUi(QWidget *WinLeft);
};
