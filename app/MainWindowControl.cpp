// SPDX-License-Identifier: GPL-2.0-or-later
// The main window as the inputs beside its panels drive it: each request goes through the
// slot or widget its own control uses, so both end in the same place.
#include "CameraSession.h"
#include "MainWindow.h"
#include "PanelKeys.h"
#include "Ui_MainWindow.h"
#include "WinRight.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QSlider>
#include <QStandardItemModel>

using namespace PanelKeys;

QStringList MainWindow::cameraNames() const
{
    QStringList names;
    for (int i = 0; i < Box_Camera_USB->count(); ++i)
        names << Box_Camera_USB->itemText(i);
    return names;
}

int MainWindow::currentCamera() const
{
    return Box_Camera_USB->currentIndex();
}

void MainWindow::chooseCamera(int index)
{
    if (index != Box_Camera_USB->currentIndex())
        Box_Camera_USB->setCurrentIndex(index); // the selector's own signal connects it
}

void MainWindow::driveByKey(int key, int panSpeed, int tiltSpeed)
{
    DriveByKey(key, panSpeed, tiltSpeed);
}

void MainWindow::moveJoystick(int key)
{
    MovePlace(key);
}

void MainWindow::holdZoomLever(int offset)
{
    Slider_Zoom->setValue(ZoomRest + offset); // its value change sends the zoom
}

void MainWindow::releaseZoomLever()
{
    // As the lever's spring does: back to the middle (which sends nothing), then the stop.
    Slider_Zoom->setValue(ZoomRest);
    ZoomStop();
}

void MainWindow::pressLeftKey(int code)
{
    LWin_BT_Pressed(code);
}

void MainWindow::pressRightKey(int code)
{
    RWin_BT_Pressed(code);
}

void MainWindow::pressPresetKey(int preset, int code)
{
    ChangePresetno(preset);
    RWin_BT_Pressed(code);
}

bool MainWindow::glidePreset(int preset, int speed, double seconds)
{
    ChangePresetno(preset);
    keyRefused = session->glideTo(preset, speed, seconds) != CameraSession::Result::Done;
    return !keyRefused;
}

bool MainWindow::readPreset(int preset, PresetRecord &record) const
{
    return session->readPreset(preset, record) == CameraSession::Result::Done;
}

bool MainWindow::writePreset(int preset, const PresetRecord &record)
{
    const bool kept = session->writePreset(preset, record) == CameraSession::Result::Done;
    showPresets();
    return kept;
}

void MainWindow::imageRange(ImageControl::Id control, int &minimum, int &maximum) const
{
    minimum = sliderOf(control)->minimum();
    maximum = sliderOf(control)->maximum();
}

int MainWindow::imageValue(ImageControl::Id control) const
{
    return sliderOf(control)->value();
}

void MainWindow::moveImageSlider(ImageControl::Id control, int value)
{
    sliderOf(control)->setValue(value);
    changeImage(control, value);
}

bool MainWindow::whiteBalanceAuto() const
{
    return Cb_WB->isChecked();
}

void MainWindow::switchWhiteBalance(bool automatic)
{
    Cb_WB->setChecked(automatic);
    LWin_BT_Pressed(automatic ? LeftWhiteBalanceAuto : LeftWhiteBalanceManual);
}

int MainWindow::flickerMode() const
{
    return ComboBox_Flicker->currentIndex();
}

bool MainWindow::offersFlickerOff() const
{
    const auto *entries = qobject_cast<const QStandardItemModel *>(ComboBox_Flicker->model());
    const QStandardItem *off = entries ? entries->item(0) : nullptr;
    return !off || off->isEnabled();
}

void MainWindow::chooseFlicker(int mode)
{
    if (ComboBox_Flicker->currentIndex() == mode)
        FlickerChange(); // no change of the selector would send it
    else
        ComboBox_Flicker->setCurrentIndex(mode);
}

bool MainWindow::positionRange(bool tilt, int &minimum, int &maximum) const
{
    const auto *range =
        qobject_cast<const QIntValidator *>((tilt ? set_tilt_data : set_pan_data)->validator());
    if (!range)
        return false;
    minimum = range->bottom();
    maximum = range->top();
    return true;
}

void MainWindow::fillPositionFields(int pan, int tilt)
{
    set_pan_data->setText(QString::number(pan));
    set_tilt_data->setText(QString::number(tilt));
}

bool MainWindow::shownPosition(int &pan, int &tilt) const
{
    bool panShown = false, tiltShown = false;
    pan = get_pan_data->text().toInt(&panShown);
    tilt = get_tilt_data->text().toInt(&tiltShown);
    return panShown && tiltShown;
}

void MainWindow::showTally(int state)
{
    ui->Win_Right->showTally(state);
}

bool MainWindow::lightTally(int state)
{
    return session->setTally(state) == CameraSession::Result::Done;
}
