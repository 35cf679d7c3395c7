// SPDX-License-Identifier: GPL-2.0-or-later
// The codes the panels send to the main window's slots, for the other sources of commands
// (command line, HTTP, game controllers, keyboard) that press the same keys.
#pragma once

namespace PanelKeys {

// MovePlace and DriveByKey: the joystick's keys run 0..8 row by row; the middle one stops.
constexpr int Stop = 4;
// The key of the directions held; left wins over right and up over down.
constexpr int keyOf(bool left, bool right, bool up, bool down)
{
    return 3 * (up ? 0 : down ? 2 : 1) + (left ? 0 : right ? 2 : 1);
}
// The joystick's speeds (0..8) at the camera's scale, as the main window sends them.
constexpr int PanSpeedScale = 3, TiltSpeedScale = 2;
// Slider_Zoom: the lever's middle, where its spring brings it back.
constexpr int ZoomRest = 7;
// LWin_BT_Pressed
constexpr int LeftWhiteBalanceAuto = 1, LeftWhiteBalanceManual = 2, LeftHome = 6, LeftReset = 9;
// RWin_BT_Pressed
constexpr int RightRecall = 5, RightStore = 6, RightClear = 7, RightSet = 8, RightGet = 9;

} // namespace PanelKeys
