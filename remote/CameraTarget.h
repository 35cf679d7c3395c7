// SPDX-License-Identifier: GPL-2.0-or-later
// What carrying out a command asks of the camera it goes to. The running panel provides it
// through its window, so the window stays in step; without a panel, the camera library does.
// Speeds are the camera's own (the panel's scaling already applied); every operation is
// false when the camera refused it.
#pragma once

#include "BaseDevice.h"
#include "Command.h"
#include "ImageControl.h"

#include <QStringList>

class CameraTarget
{
public:
    virtual ~CameraTarget() = default;

    // The cameras there are, in the order their indices count.
    virtual QStringList cameraNames() = 0;
    // Connects camera `index`; why not when it cannot be opened.
    virtual Outcome choose(int index) = 0;
    // Why nothing can reach a camera now (none connected, it cannot be opened), else Done
    // with what it can do, CAP_... bits: 0 while it has not answered.
    virtual Outcome ready(uint &capabilities) = 0;
    virtual QString cameraName() = 0;

    virtual bool recall(int preset) = 0;
    virtual bool store(int preset) = 0; // kept by the time it returns
    virtual bool clear(int preset) = 0;
    // Recalls `preset` at `speed` 1..8, or over `seconds` when that is > 0.
    virtual bool glide(int preset, int speed, double seconds) = 0;
    // What the library keeps of `preset`; false when the camera cannot tell.
    virtual bool readPreset(int preset, PresetRecord &record) = 0;
    virtual bool writePreset(int preset, const PresetRecord &record) = 0;
    virtual bool home() = 0;
    // Toward joystick key `key`; `forMs` < 0: until stopped.
    virtual void drive(int key, int panSpeed, int tiltSpeed, int forMs) = 0;
    virtual void zoom(int direction, int speed, int forMs) = 0;
    virtual void stop() = 0;
    // What Set...Position takes; false when the camera has not told.
    virtual bool positionRange(bool tilt, int &minimum, int &maximum) = 0;
    virtual bool setPosition(int pan, int tilt) = 0;
    virtual bool position(int &pan, int &tilt) = 0;
    virtual void imageRange(ImageControl::Id control, int &minimum, int &maximum) = 0;
    virtual bool setImage(ImageControl::Id control, int value) = 0;
    virtual bool setWhiteBalanceAuto(bool automatic) = 0;
    virtual bool canSwitchFlickerOff() = 0;
    virtual bool setFlicker(int mode) = 0;
    virtual bool resetImage() = 0;
    // Takes the camera's tally (0 off, 1 preview, 2 program) and lights its lamp where it has
    // one; false when nothing can show it.
    virtual bool setTally(int state) = 0;
    // Whether a move or preset recall must be refused unless forced: the camera is on program
    // and the panel guards it.
    virtual bool guarded() { return false; }
    virtual void raise() {}
};
