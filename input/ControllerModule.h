// SPDX-License-Identifier: GPL-2.0-or-later
// Opens the game-controller module when udev first reports a joystick or game controller
// (at start or later) and hands it every later input event; until then no part of SDL is
// in the process. A missing or broken module is said once and controllers are left out.
#pragma once

#include "Controllers.h"
#include "PrivateModule.h"

#include <QObject>

#include <memory>

class ControllerModule : public QObject
{
    Q_OBJECT

public:
    explicit ControllerModule(PanelControl &panel);
    ~ControllerModule() override;

    // The controllers, opening the module first; nullptr when it cannot be had.
    Controllers *open();
    // Nullptr while the module is not open.
    Controllers *opened() const { return pads.get(); }

public slots:
    // From udev: an input device came (a joystick or not) or went.
    void inputDeviceChanged(bool joystick);

private:
    PanelControl &panel;
    PrivateModule module;
    std::unique_ptr<Controllers> pads;
};
