// SPDX-License-Identifier: GPL-2.0-or-later
// What the inputs beside the panels (keyboard, controllers, command line, HTTP) ask of the
// main window: what its own controls do, through the same slots, so that its widgets stay in
// step with the camera and the trace shows every command. Nothing is reached by name.
#pragma once

#include "ImageControl.h"

#include <QStringList>

class CameraSession;
class QWidget;
struct PresetRecord;

class PanelControl
{
public:
    virtual ~PanelControl() = default;

    virtual QWidget &widget() = 0;
    virtual QStringList cameraNames() const = 0;
    virtual int currentCamera() const = 0;
    // As a choice in the camera selector: connects it.
    virtual void chooseCamera(int index) = 0;
    virtual bool isCameraPresent() const = 0;
    virtual bool isCameraOpen() const = 0;
    // What the connected camera can do (CAP_... bits), 0 without one.
    virtual uint capabilities() const = 0;
    // Whether the camera refused what the last preset, SET or GET key or anti-flicker choice
    // asked.
    virtual bool wasRefused() const = 0;

    // A joystick key (0..8, 4 stops) at the camera's own speeds.
    virtual void driveByKey(int key, int panSpeed, int tiltSpeed) = 0;
    // The joystick's own report of a key, at its speeds.
    virtual void moveJoystick(int key) = 0;
    // The zoom lever held `offset` off its middle (> 0 in), which sends the zoom; let go, it
    // springs back and stops.
    virtual void holdZoomLever(int offset) = 0;
    virtual void releaseZoomLever() = 0;
    // A key of the image panel (LWin_BT_Pressed's codes) or the motion panel (RWin's).
    virtual void pressLeftKey(int code) = 0;
    virtual void pressRightKey(int code) = 0;
    // A preset key: its number, then RECALL, SET or CLEAR (RWin's codes).
    virtual void pressPresetKey(int preset, int code) = 0;
    // A preset recalled at `speed` 1..8, or over `seconds` when that is > 0; false when the
    // camera did not go.
    virtual bool glidePreset(int preset, int speed, double seconds) = 0;
    // What the library keeps of a preset, and keeping another (the preset keys show it).
    virtual bool readPreset(int preset, PresetRecord &record) const = 0;
    virtual bool writePreset(int preset, const PresetRecord &record) = 0;

    virtual void imageRange(ImageControl::Id control, int &minimum, int &maximum) const = 0;
    virtual int imageValue(ImageControl::Id control) const = 0;
    // As a drag of the slider that ends at `value`.
    virtual void moveImageSlider(ImageControl::Id control, int value) = 0;
    virtual bool whiteBalanceAuto() const = 0;
    virtual void switchWhiteBalance(bool automatic) = 0;
    virtual int flickerMode() const = 0; // the selector's entry: 0 off, 1 50 Hz, 2 60 Hz
    virtual bool offersFlickerOff() const = 0;
    virtual void chooseFlicker(int mode) = 0;

    // What the SET/PT fields take; false when they take any number.
    virtual bool positionRange(bool tilt, int &minimum, int &maximum) const = 0;
    virtual void fillPositionFields(int pan, int tilt) = 0;
    // What the GET/PT read-outs show, when they show numbers.
    virtual bool shownPosition(int &pan, int &tilt) const = 0;

    // The selected camera's session, for what it reports (the window follows it too).
    virtual CameraSession &cameraSession() = 0;
    // The frame line's colour: 0 off, 1 preview (green), 2 program (red).
    virtual void showTally(int state) = 0;
    // The selected camera's tally lamp, where it has one; false when it has none.
    virtual bool lightTally(int state) = 0;
};
