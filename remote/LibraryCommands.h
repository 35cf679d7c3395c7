// Carries out commands without a running panel: straight through the camera library, with
// the panel's own speed scaling and motion table, then closes the camera.
#pragma once

#include "Command.h"
#include "CommandLine.h"

#include <QVector>

class BaseDevice;

class LibraryCommands
{
public:
    // Every command in order; stops at the first that fails.
    static Outcome runAll(const QVector<Command> &commands);
    // Adds and removes network cameras in the user's configuration; stops at the first that
    // fails.
    static Outcome editCameras(const QVector<CommandLine::CameraEdit> &edits);

private:
    explicit LibraryCommands(BaseDevice &device) : device(device) {}
    Outcome connect(int index, const QString &name);
    Outcome run(const Command &command);
    // Holds a motion for `ms`, or until SIGINT or SIGTERM when `ms` is negative.
    static void hold(int ms);

    BaseDevice &device;
    QString cameraName;
};
