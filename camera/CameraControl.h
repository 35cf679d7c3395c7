// SPDX-License-Identifier: GPL-2.0-or-later
// The selected camera as the inputs beside the panels drive it (keyboard, game controllers):
// the typed operations of its session, reached through virtuals alone, so that a module
// needs none of the program's code to call them.
#pragma once

class CameraControl
{
public:
    enum class Result
    {
        Done,
        NoCamera, // no camera is there to ask
        Refused   // the camera did not take it
    };

    virtual ~CameraControl() = default;

    // Open, and it has told what it can do.
    virtual bool isAnswering() const = 0;
    // A direction key (0..8, 4 stops) at the camera's own speeds (pan 0..24, tilt 0..16).
    virtual Result drive(int key, int panSpeed, int tiltSpeed) = 0;
    virtual Result zoom(int speed) = 0; // > 0 in, < 0 out, 0 sends nothing
    virtual Result zoomStop() = 0;
    // At the preset's own speed when it has one, else as the camera recalls it.
    virtual Result recall(int preset) = 0;
    virtual Result store(int preset) = 0;
    virtual Result home() = 0;
};
