// SPDX-License-Identifier: GPL-2.0-or-later
// What the gamepad and the keyboard ask of the selected camera, through its session as the
// window's own controls do, so that the trace shows every command and presets behave as the
// keypad's.
#pragma once

class PanelControl;

class CameraDriver
{
public:
    explicit CameraDriver(PanelControl &panel) : panel(panel) {}

    // A joystick key (0..8, 4 stops) at the camera's own speeds (pan 0..24, tilt 0..16).
    void drive(int key, int panSpeed, int tiltSpeed);
    // Zoom in (> 0) or out (< 0) at 1..7; 0 stops.
    void zoom(int speed);
    void recall(int preset);
    void store(int preset);
    void home();
    bool cameraConnected() const;

private:
    PanelControl &panel;
    int zooming = 0;
};
