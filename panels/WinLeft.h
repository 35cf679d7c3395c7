// SPDX-License-Identifier: GPL-2.0-or-later
// The image settings panel: sliders and read-outs the main window fills, the flicker
// selector, and ten function keys reported as button codes 1..15 on BT_Pressed. Made empty;
// its controls exist once build() has run, so that a window can show before the panel it
// starts with shut.
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

    // The controls, their style sheet, names and tooltips, and texts in the installed
    // language, placed for `density` times the form's 96 dpi. Only the first call builds.
    void build(double density = 1.0);
    bool isBuilt() const { return ui != nullptr; }

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
