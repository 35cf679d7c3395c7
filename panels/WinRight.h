// SPDX-License-Identifier: GPL-2.0-or-later
// The PTZ panel: camera selector, joystick (relayed), zoom lever, preset keypad with store
// and clear modes, absolute position fields, and the close, stay-on-top and fold keys.
#pragma once

#include <QWidget>

#include <memory>

class Ui_WinRight;

class WinRight : public QWidget
{
    Q_OBJECT

public:
    explicit WinRight(QWidget *parent = nullptr);
    ~WinRight() override;

    // The line under the title row in the tally's colour: 0 off, 1 preview, 2 program.
    void showTally(int state);

signals:
    void keyNumchanged(int num);
    void Speed_Pan(int num);
    void Speed_Tilt(int num);
    void IPCAMChange(int num);
    void AF_MF_Push(int num);
    void ChangePresetno(int num);
    void BT_Pressed(int flag);
    void BT_Show(bool flag);
    void Setting_Press(int flag);

private slots:
    void TP_key(int num);
    void TP_Pan(int num);
    void TP_Tilt(int num);
    void on_BT_Top_toggled(bool checked);
    void on_BT_Close_clicked();
    void on_toolButton_clicked();
    void on_Slider_Zoom_valueChanged(int value);
    void on_Slider_Zoom_sliderReleased();
    void on_BT_1_clicked();
    void on_BT_2_clicked();
    void on_BT_3_clicked();
    void on_BT_4_clicked();
    void on_BT_5_clicked();
    void on_BT_6_clicked();
    void on_BT_7_clicked();
    void on_BT_8_clicked();
    void on_BT_0_clicked();
    void on_BT_Set_toggled(bool checked);
    void on_BT_Clear_toggled(bool checked);
    void on_Box_Camera_USB_currentIndexChanged(int index);
    void on_set_pan_tilt_clicked();
    void on_get_pan_tilt_clicked();

private:
    void presetKey(int number);

    std::unique_ptr<Ui_WinRight> ui;
    bool Show_Flag = false;
    bool Set_Flag = false;
    bool Clear_Flag = false;
};
