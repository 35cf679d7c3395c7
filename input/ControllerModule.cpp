// SPDX-License-Identifier: GPL-2.0-or-later
#include "ControllerModule.h"

ControllerModule::ControllerModule(PanelControl &panel)
    : panel(panel),
      module("ptz-gamepad", ControllersEntry, QStringLiteral("game controllers cannot be read"))
{}

ControllerModule::~ControllerModule() = default;

Controllers *ControllerModule::open()
{
    if (!pads) {
        if (const auto create = reinterpret_cast<CreateControllers>(module.entry()))
            pads.reset(create(panel));
    }
    return pads.get();
}

void ControllerModule::inputDeviceChanged(bool joystick)
{
    if (pads)
        pads->lookForControllers();
    else if (joystick && open())
        pads->lookForControllers(); // SDL may not have seen it yet
}
