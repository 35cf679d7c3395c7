// SPDX-License-Identifier: GPL-2.0-or-later
// What the gamepad and the keyboard ask of the panel, through the main window's
// PanelControl, so that the trace shows every command and presets behave as the keypad's.
#pragma once

class PanelControl;

class WindowDriver
{
public:
    explicit WindowDriver(PanelControl &panel) : panel(panel) {}

    // A joystick key (0..8, 4 stops) at the camera's own speeds (pan 0..24, tilt 0..16).
    void drive(int key, int panSpeed, int tiltSpeed);
    // Zoom in (> 0) or out (< 0) at 1..7, as the lever held there; 0 lets the lever go.
    void zoom(int speed);
    void recall(int preset);
    void store(int preset);
    void home();
    bool cameraConnected() const;

private:
    PanelControl &panel;
    int zooming = 0;
};
