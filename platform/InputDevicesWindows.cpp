// SPDX-License-Identifier: GPL-2.0-or-later
#include "InputDevices.h"

// SDL hears of controllers on Windows by itself, through the messages it pumps.
void whenInputDevicesChange(QObject *, std::function<void()>) {}
