// SPDX-License-Identifier: GPL-2.0-or-later
// Game controllers steer the camera (SDL's game-controller API and mapping database; plain
// joysticks SDL cannot map use their first axes, hat and buttons):
//
//   left stick       pan and tilt, each as far as it is pushed (15 % dead zone)
//   D-pad            pan and tilt at the slowest speed, for fine framing
//   right stick up/down, or the triggers   zoom in and out
//   A B X Y, left shoulder    recall presets 0 to 4; held with the right shoulder: store
//   Start, Guide     home
//
// Letting go stops what moved; a controller unplugged mid-move stops it too. Controllers are
// read while another window has the focus. With none attached nothing runs: the device
// notifier's input events tell when one may have come. Built as its own module (see
// ControllerModule).
#pragma once

#include "CameraDriver.h"
#include "Controllers.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

class GamepadInput : public QObject, public Controllers
{
    Q_OBJECT

public:
    explicit GamepadInput(PanelControl &panel);
    ~GamepadInput() override;

    bool available() const override { return ready; }
    int controllers() const override { return int(pads.size()); }

    // How often an attached controller is read: often while it is in use, less while it
    // rests (its first touch then takes a few more milliseconds to act).
    static constexpr int PollMs = 4;
    static constexpr int RestingPollMs = 20;
    static constexpr int RestAfterMs = 2000;

public slots:
    // An input device came or went: look for controllers for a moment.
    void lookForControllers() override;
    // Reads every controller now and acts on what changed.
    void poll() override;

private:
    struct Pad;
    struct State
    {
        int key = 4;
        int pan = 0;
        int tilt = 0;
        int zoom = 0;
        unsigned buttons = 0; // presets and home, as pressed
        bool store = false;
    };
    void attach(int deviceIndex);
    void detach(int instance);
    State read(const Pad &pad) const;
    void act(Pad &pad, const State &now);
    void schedule();

    CameraDriver driver;
    bool ready = false;
    std::map<int, std::unique_ptr<Pad>> pads; // by SDL instance id
    QTimer timer;
    int searching = 0;  // ticks left to look for a controller that is arriving
    int restingFor = 0; // milliseconds since a controller last changed
};
