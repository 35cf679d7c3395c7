// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out commands without a running panel: a session on the library's device and its
// target, as in the panel, and then the waits a command line owes its user (a timed motion
// until its time is up, an untimed one until interrupted, a glide until it arrives, a preset
// until it is kept), after which the camera is closed.
#pragma once

#include "Command.h"
#include "CommandLine.h"

#include <QVector>

#include <functional>
#include <memory>

class BaseDevice;
class CameraSession;
class CameraTarget;
class ShowEvents;
class Shows;

class LibraryCommands
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
    class ShowCameras;
    LibraryCommands(BaseDevice &device, CameraSession &session, CameraTarget &target,
                    ShowEvents &events);
    ~LibraryCommands();

    QStringList cameraNames();
    Outcome choose(const Command &command);
    // `command` carried out, and waited for as the command line waits for it.
    Outcome carryOut(const Command &command);
    Outcome waitFor(const Command &command);
    // The shots and tours, on a session of each camera they move, made when first needed.
    Shows &shows();
    Outcome runShow(const Command &command);
    // Waits until `done` holds or a stop signal comes, which it returns (0: none).
    int waitUntil(const std::function<bool()> &done);

    BaseDevice &device;
    CameraSession &session;
    CameraTarget &target;
    ShowEvents &events;
    std::unique_ptr<ShowCameras> showCameras;
    std::unique_ptr<Shows> showControl;
    QString name;
    QStringList listed;    // the cameras' names, as last read
    int interruptedBy = 0; // the stop signal that cut a motion short
};
