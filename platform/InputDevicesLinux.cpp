// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceNotifier.h"
#include "InputDevices.h"

void whenInputDevicesChange(QObject *context, std::function<void(bool joystick)> changed)
{
    if (DeviceNotifier *notifier = DeviceNotifier::instance())
        QObject::connect(notifier, &DeviceNotifier::inputDeviceChanged, context,
                         std::move(changed));
}

bool joystickAttached()
{
    return DeviceNotifier::joystickAttached();
}
