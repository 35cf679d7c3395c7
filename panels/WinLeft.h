// SPDX-License-Identifier: GPL-2.0-or-later
// The image settings panel: sliders and read-outs the main window fills, the flicker
// selector, and ten function keys reported as button codes 1..15 on BT_Pressed.
#pragma once

#include <QWidget>

#include <memory>

class QPushButton;
class Ui_WinLeft;

class WinLeft : public QWidget
{
    Q_OBJECT

public:
    explicit WinLeft(QWidget *parent = nullptr);
    ~WinLeft() override;

signals:
    void BT_Pressed(int flat);

private slots:
    void on_BT_Flip_clicked();
    void on_BT_Mirror_clicked();
    void on_BT_Menu_clicked();
    void on_BT_HOME_clicked();
    void on_BT_AI_clicked();
    void on_BT_PUSH_clicked();
    void on_BT_Reset_clicked();
    void on_Cb_WB_clicked(bool checked);
    void on_BT_IR_clicked();
    void on_BT_DAY_clicked();
    void on_BT_RST_PTZ_clicked();

private:
    struct Toggle;
    void toggle(QPushButton *button, const Toggle &toggle);

    std::unique_ptr<Ui_WinLeft> ui;
};
