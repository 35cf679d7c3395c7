// SPDX-License-Identifier: GPL-2.0-or-later
// Form of the PTZ panel: 33 widgets at 96 dpi geometry, in creation order.
#pragma once

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;
class QWidget;
class RockerHandle;

class Ui_WinRight
{
public:
    QPushButton *BT_Close;
    QPushButton *BT_Top;
    QFrame *line;
    QLabel *label;
    QSlider *Slider_Zoom;
    QFrame *line_2;
    QPushButton *BT_0;
    QPushButton *BT_1;
    QPushButton *BT_2;
    QPushButton *BT_5;
    QPushButton *BT_4;
    QPushButton *BT_7;
    QPushButton *BT_8;
    QPushButton *BT_6;
    QPushButton *BT_3;
    QToolButton *toolButton;
    QLabel *label_2;
    QLabel *label_3;
    QLabel *label_6;
    QLabel *label_7;
    RockerHandle *widget;
    QToolButton *BT_Set;
    QToolButton *BT_Clear;
    QComboBox *Box_Camera_USB;
    QLabel *label_10;
    QLineEdit *set_pan_data;
    QLineEdit *set_tilt_data;
    QLineEdit *get_pan_data;
    QLineEdit *get_tilt_data;
    QLabel *label_4;
    QLabel *label_9;
    QPushButton *set_pan_tilt;
    QPushButton *get_pan_tilt;

    void setupUi(QWidget *WinRight);
    void retranslateUi(QWidget *WinRight);
};
