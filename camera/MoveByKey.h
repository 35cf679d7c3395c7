// SPDX-License-Identifier: GPL-2.0-or-later
// Sends the motion operations for one joystick direction key (0..8, 4 = stop all).
#pragma once

class BaseDevice;

void MoveByKey(BaseDevice *device, int key, int panSpeed, int tiltSpeed);
