// SPDX-License-Identifier: GPL-2.0-or-later
// What the window offers the inputs beside its panels (keyboard, controllers, command line,
// HTTP): what is its own (the widget, its camera selection) and the selected camera's
// session, through which every command goes. Nothing outside the window presses its keys,
// fills its fields or reads its widgets; the window follows the session as any view does.
#pragma once

#include <QStringList>

class CameraControl;
class QDateTime;
class CameraSession;
class QWidget;

class PanelControl
{
public:
    virtual ~PanelControl() = default;

    virtual QWidget &widget() = 0;
    virtual QStringList cameraNames() const = 0;
    virtual int currentCamera() const = 0;
    // As a choice in the camera selector: connects it.
    virtual void chooseCamera(int index) = 0;
    // Whether camera `index` is one on the network (the others are attached to the computer).
    virtual bool isNetworkCamera(int index) const = 0;
    // The selector's mark of how camera `index` answers (HEALTH_...; -1 none), since when.
    virtual void showHealth(int index, int state, const QDateTime &since) = 0;
    // The selected camera, as the keyboard and controllers drive it.
    virtual CameraControl &camera() = 0;
    // The selected camera's session (the window's camera changes with its selection).
    virtual CameraSession &cameraSession() = 0;
};
