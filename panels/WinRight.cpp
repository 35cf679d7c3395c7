// SPDX-License-Identifier: GPL-2.0-or-later
#include "WinRight.h"
#include "PanelAccess.h"
#include "RockerHandle.h"
#include "StyleSheets.h"
#include "Ui_WinRight.h"

#include <QFrame>
#include <QIcon>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr int ZoomRest = 7;

} // namespace

WinRight::WinRight(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui_WinRight>())
{
    ui->setupUi(this);
    PanelAccess::describePtzPanel(this);
    // A click on an empty part of the panel takes the focus from the control that had it,
    // and with it the keys it kept.
    setFocusPolicy(Qt::ClickFocus);
    Show_Flag = false;
    Set_Flag = false;
    Clear_Flag = false;
    connect(ui->widget, SIGNAL(keyNumchanged(int)), this, SLOT(TP_key(int)));
    connect(ui->widget, SIGNAL(Speed_Pan(int)), this, SLOT(TP_Pan(int)));
    connect(ui->widget, SIGNAL(Speed_Tilt(int)), this, SLOT(TP_Tilt(int)));
}

WinRight::~WinRight() = default;

void WinRight::showTally(int state)
{
    ui->line->setStyleSheet(StyleSheets::tallyLine(state));
}

void WinRight::TP_key(int num)
{
    emit keyNumchanged(num);
}

void WinRight::TP_Pan(int num)
{
    emit Speed_Pan(num);
}

void WinRight::TP_Tilt(int num)
{
    emit Speed_Tilt(num);
}

void WinRight::on_BT_Top_toggled(bool checked)
{
    emit BT_Pressed(checked ? 201 : 202);
}

void WinRight::on_BT_Close_clicked()
{
    emit BT_Pressed(1);
}

void WinRight::on_toolButton_clicked()
{
    // The main window slides the image panel inside the emission; the arrow follows after.
    const bool open = !Show_Flag;
    emit BT_Show(open);
    Show_Flag = open;
    ui->toolButton->setIcon(QIcon(
        QString::fromUtf8(open ? ":/image/icon/arrow_right.png" : ":/image/icon/arrow_left.png")));
}

void WinRight::on_Slider_Zoom_valueChanged(int) {}

void WinRight::on_Slider_Zoom_sliderReleased()
{
    ui->Slider_Zoom->setValue(ZoomRest);
}

void WinRight::presetKey(int number)
{
    emit ChangePresetno(number);
    if (Set_Flag && Clear_Flag)
        return; // ambiguous: wait until the user releases one mode
    if (!Set_Flag && !Clear_Flag) {
        emit BT_Pressed(5);
        return;
    }
    emit BT_Pressed(Set_Flag ? 6 : 7);
    // A mode lasts for one key.
    ui->BT_Set->setChecked(false);
    ui->BT_Clear->setChecked(false);
}

void WinRight::on_BT_1_clicked()
{
    presetKey(1);
}
void WinRight::on_BT_2_clicked()
{
    presetKey(2);
}
void WinRight::on_BT_3_clicked()
{
    presetKey(3);
}
void WinRight::on_BT_4_clicked()
{
    presetKey(4);
}
void WinRight::on_BT_5_clicked()
{
    presetKey(5);
}
void WinRight::on_BT_6_clicked()
{
    presetKey(6);
}
void WinRight::on_BT_7_clicked()
{
    presetKey(7);
}
void WinRight::on_BT_8_clicked()
{
    presetKey(8);
}
void WinRight::on_BT_0_clicked()
{
    presetKey(0);
}

void WinRight::on_BT_Set_toggled(bool checked)
{
    Set_Flag = checked;
}

void WinRight::on_BT_Clear_toggled(bool checked)
{
    Clear_Flag = checked;
}

void WinRight::on_Box_Camera_USB_currentIndexChanged(int index)
{
    emit Setting_Press(index);
}

void WinRight::on_set_pan_tilt_clicked()
{
    emit BT_Pressed(8);
}

void WinRight::on_get_pan_tilt_clicked()
{
    emit BT_Pressed(9);
}
