// SPDX-License-Identifier: GPL-2.0-or-later
// Tells when input devices (game controllers among them) come and go, without polling.
#pragma once

#include <functional>

class QObject;

// `changed` runs on the caller's thread for as long as `context` lives; `joystick` when the
// device that came is a joystick or game controller.
void whenInputDevicesChange(QObject *context, std::function<void(bool joystick)> changed);
// Whether a joystick or game controller may be attached now.
bool joystickAttached();
