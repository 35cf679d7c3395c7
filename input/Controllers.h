// SPDX-License-Identifier: GPL-2.0-or-later
// The game controllers as the program sees them: GamepadInput, in its own module so that SDL
// is loaded only once a controller has been seen (see ControllerModule).
#pragma once

class PanelControl;

class Controllers
{
public:
    virtual ~Controllers() = default;

    // Whether controllers can be read at all.
    virtual bool available() const = 0;
    // How many are attached and read.
    virtual int controllers() const = 0;
    // An input device came or went: look for controllers for a moment.
    virtual void lookForControllers() = 0;
    // Reads every controller now and acts on what changed.
    virtual void poll() = 0;
};

// The module's one entry point, looked up by name: the number changes with this interface.
extern "C" Controllers *ptz_create_controllers_2(PanelControl &panel);
using CreateControllers = decltype(&ptz_create_controllers_2);
constexpr char ControllersEntry[] = "ptz_create_controllers_2";
