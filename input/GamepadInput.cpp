// SPDX-License-Identifier: GPL-2.0-or-later
#include "GamepadInput.h"
#include "PanelKeys.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double DeadZone = 0.15;
constexpr int FastestPan = 24, FastestTilt = 16, FastestZoom = 7;
constexpr int Presets = 5; // A, B, X, Y, left shoulder
constexpr unsigned HomeBit = 1u << Presets;
constexpr int SearchMs = 2000; // how long an input event makes us look for a controller

// -1..1 past the dead zone, so that speed starts at its slowest at the zone's edge.
double deflection(int raw)
{
    const double v = std::clamp(raw / 32767.0, -1.0, 1.0);
    const double past = (std::abs(v) - DeadZone) / (1 - DeadZone);
    return past <= 0 ? 0 : std::copysign(std::min(past, 1.0), v);
}

int speedOf(double deflection, int fastest)
{
    return deflection == 0 ? 0 : std::max(1, int(std::lround(std::abs(deflection) * fastest)));
}

int cell(double v)
{
    return v < 0 ? 0 : v > 0 ? 2 : 1;
}

} // namespace

struct GamepadInput::Pad
{
    SDL_GameController *controller = nullptr;
    SDL_Joystick *joystick = nullptr; // one SDL has no mapping for
    State last;

    ~Pad()
    {
        if (controller)
            SDL_GameControllerClose(controller);
        if (joystick)
            SDL_JoystickClose(joystick);
    }
};

GamepadInput::GamepadInput(PanelControl &panel) : driver(panel)
{
    // SDL would otherwise take Ctrl-C for itself, and hear controllers only while focused.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!ready) {
        std::fprintf(stderr, "ptz-panel: game controllers cannot be read: %s\n", SDL_GetError());
        return;
    }
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &GamepadInput::poll);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        attach(i);
    schedule();
}

GamepadInput::~GamepadInput()
{
    pads.clear();
    if (ready)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamepadInput::lookForControllers()
{
    if (!ready)
        return;
    searching = SearchMs / PollMs;
    schedule();
}

void GamepadInput::schedule()
{
    // Nothing runs while no controller is there and none is arriving.
    if (pads.empty() && searching <= 0) {
        timer.stop();
        return;
    }
    const int interval = restingFor >= RestAfterMs && searching <= 0 ? RestingPollMs : PollMs;
    if (!timer.isActive() || timer.interval() != interval)
        timer.start(interval);
}

void GamepadInput::attach(int deviceIndex)
{
    // A game controller is announced twice, as a joystick too: one pad per instance.
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || pads.count(id))
        return;
    auto pad = std::make_unique<Pad>();
    if (SDL_IsGameController(deviceIndex))
        pad->controller = SDL_GameControllerOpen(deviceIndex);
    else
        pad->joystick = SDL_JoystickOpen(deviceIndex);
    if (pad->controller || pad->joystick)
        pads[id] = std::move(pad);
}

void GamepadInput::detach(int instance)
{
    const auto found = pads.find(instance);
    if (found == pads.end())
        return;
    act(*found->second, State{}); // unplugged mid-move: what it moved stops
    pads.erase(found);
}

GamepadInput::State GamepadInput::read(const Pad &pad) const
{
    State s;
    double x = 0, y = 0, zoom = 0;
    bool up = false, down = false, left = false, right = false;
    if (SDL_GameController *c = pad.controller) {
        const auto axis = [c](SDL_GameControllerAxis a) { return SDL_GameControllerGetAxis(c, a); };
        const auto button = [c](SDL_GameControllerButton b) {
            return SDL_GameControllerGetButton(c, b) != 0;
        };
        x = deflection(axis(SDL_CONTROLLER_AXIS_LEFTX));
        y = deflection(axis(SDL_CONTROLLER_AXIS_LEFTY));
        const double stick = -deflection(axis(SDL_CONTROLLER_AXIS_RIGHTY));
        const double triggers = deflection(axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT)) -
                                deflection(axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT));
        zoom = std::abs(stick) >= std::abs(triggers) ? stick : triggers;
        up = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
        down = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        left = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        right = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        const SDL_GameControllerButton presets[Presets] = {
            SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X,
            SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_LEFTSHOULDER};
        for (int i = 0; i < Presets; ++i)
            s.buttons |= button(presets[i]) ? 1u << i : 0;
        if (button(SDL_CONTROLLER_BUTTON_START) || button(SDL_CONTROLLER_BUTTON_GUIDE))
            s.buttons |= HomeBit;
        s.store = button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    } else if (SDL_Joystick *j = pad.joystick) {
        // A stick SDL does not know: the usual layout of a plain gamepad.
        const int axes = SDL_JoystickNumAxes(j);
        x = axes > 0 ? deflection(SDL_JoystickGetAxis(j, 0)) : 0;
        y = axes > 1 ? deflection(SDL_JoystickGetAxis(j, 1)) : 0;
        zoom = axes > 3 ? -deflection(SDL_JoystickGetAxis(j, 3)) : 0;
        const Uint8 hat = SDL_JoystickNumHats(j) > 0 ? SDL_JoystickGetHat(j, 0) : 0;
        up = hat & SDL_HAT_UP;
        down = hat & SDL_HAT_DOWN;
        left = hat & SDL_HAT_LEFT;
        right = hat & SDL_HAT_RIGHT;
        const int buttons = SDL_JoystickNumButtons(j);
        for (int i = 0; i < Presets && i < buttons; ++i)
            s.buttons |= SDL_JoystickGetButton(j, i) ? 1u << i : 0;
        s.store = buttons > 5 && SDL_JoystickGetButton(j, 5);
        if (buttons > 7 && SDL_JoystickGetButton(j, 7))
            s.buttons |= HomeBit;
    }
    if (x != 0 || y != 0) {
        s.key = 3 * cell(y) + cell(x); // the stick's y grows downward, as the grid's rows
        s.pan = speedOf(x, FastestPan);
        s.tilt = speedOf(y, FastestTilt);
    } else if (up || down || left || right) {
        s.key = PanelKeys::keyOf(left, right, up, down);
        s.pan = left || right ? 1 : 0;
        s.tilt = up || down ? 1 : 0;
    }
    s.zoom = zoom == 0 ? 0 : int(std::copysign(speedOf(zoom, FastestZoom), zoom));
    return s;
}

void GamepadInput::act(Pad &pad, const State &now)
{
    State &was = pad.last;
    if (now.key != was.key || now.pan != was.pan || now.tilt != was.tilt || now.zoom != was.zoom ||
        now.buttons != was.buttons || now.store != was.store)
        restingFor = 0;
    if (now.key != was.key || now.pan != was.pan || now.tilt != was.tilt)
        driver.drive(now.key, now.pan, now.tilt);
    if (now.zoom != was.zoom)
        driver.zoom(now.zoom);
    const unsigned pressed = now.buttons & ~was.buttons;
    for (int i = 0; i < Presets; ++i)
        if (pressed & (1u << i))
            now.store ? driver.store(i) : driver.recall(i);
    if (pressed & HomeBit)
        driver.home();
    was = now;
}

void GamepadInput::poll()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_JOYDEVICEADDED:
            attach(event.jdevice.which);
            break;
        case SDL_CONTROLLERDEVICEADDED:
            attach(event.cdevice.which);
            break;
        case SDL_JOYDEVICEREMOVED:
            detach(event.jdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            detach(event.cdevice.which);
            break;
        default:
            break;
        }
    }
    restingFor += timer.interval();
    for (auto &[id, pad] : pads)
        act(*pad, read(*pad));
    if (searching > 0)
        --searching;
    schedule();
}
