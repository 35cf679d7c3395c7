// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out commands without a running panel: straight through the camera library, with
// the panel's own speed scaling and motion table, then closes the camera.
#pragma once

#include "CameraTarget.h"
#include "Command.h"
#include "CommandLine.h"

#include <QVector>

class BaseDevice;

class LibraryCommands : private CameraTarget
{
public:
    // Every command in order; stops at the first that fails.
    static Outcome runAll(const QVector<Command> &commands);
    // Adds and removes network cameras in the user's configuration; stops at the first that
    // fails.
    static Outcome editCameras(const QVector<CommandLine::CameraEdit> &edits);
    // Lists the ONVIF cameras that answer a probe, to the local network or to `host`.
    static Outcome discover(const QString &host);

private:
    explicit LibraryCommands(BaseDevice &device) : device(device) {}

    QStringList cameraNames() override;
    Outcome choose(int index) override;
    Outcome ready(uint &capabilities) override;
    QString cameraName() override { return name; }
    bool recall(int preset) override;
    bool store(int preset) override;
    bool clear(int preset) override;
    // Glides to the preset and returns once it is there.
    bool glide(int preset, int speed, double seconds) override;
    bool readPreset(int preset, PresetRecord &record) override;
    bool writePreset(int preset, const PresetRecord &record) override;
    bool home() override;
    void drive(int key, int panSpeed, int tiltSpeed, int forMs) override;
    void zoom(int direction, int speed, int forMs) override;
    void stop() override;
    bool positionRange(bool tilt, int &minimum, int &maximum) override;
    bool setPosition(int pan, int tilt) override;
    bool position(int &pan, int &tilt) override;
    void imageRange(ImageControl::Id control, int &minimum, int &maximum) override;
    bool setImage(ImageControl::Id control, int value) override;
    bool setWhiteBalanceAuto(bool automatic) override;
    bool canSwitchFlickerOff() override;
    bool setFlicker(int mode) override;
    bool resetImage() override;
    bool setTally(int state) override;

    // Holds a motion for `ms`, or until SIGINT or SIGTERM when `ms` is negative; a signal
    // within `ms` interrupts the command line.
    void hold(int ms);

    BaseDevice &device;
    QString name;
    QStringList listed; // the cameras' names, as last read
    bool open = false;
    int interruptedBy = 0; // the stop signal that cut a motion short
};
