// SPDX-License-Identifier: GPL-2.0-or-later
// One thing asked of the panel from outside it (command line, HTTP), and its outcome. The
// same commands run in the running panel, through its slots, or without one, through the
// camera library.
#pragma once

#include <QString>

struct Command
{
    enum Kind
    {
        List,   // the cameras, one per line: index and name
        Camera, // choose a camera: `number` (index) or `text` (name)
        Preset, // recall preset `number` (or the one named `text`), at `speed` or over `seconds`
        Store,  // store preset `number`, with `speed` as its own when given
        Clear,  // clear preset `number`
        Home,
        Move,             // toward `direction` (a joystick key, 0..8) at `speed` 1..8
        Zoom,             // `direction` +1 in, -1 out, at `speed` 1..7
        Stop,             // pan, tilt and zoom
        Position,         // absolute `pan`, `tilt`, in the SET/PT fields' units
        GetPosition,      // prints "PAN,TILT"
        Image,            // image control `text` ("brightness" ...) to `number`
        WhiteBalanceAuto, // `number` 1 automatic, 0 manual
        Flicker,          // `number` 0 off, 1 50 Hz, 2 60 Hz
        ResetImage,
        Raise,         // show the running panel's window
        Tally,         // `number` 0 off, 1 preview, 2 program
        NamePreset,    // name preset `number` `name` ("" takes its name away)
        ListPresets,   // one line per preset kept: number, stored, name, position, speed
        ExportPresets, // the camera's presets into the file `text`
        ImportPresets, // the camera's presets from the file `text`
    };

    Kind kind = List;
    int number = 0;
    QString text;
    int direction = 0;
    int speed = 0;
    int pan = 0;
    int tilt = 0;
    int forMs = -1;     // a move or zoom stops by itself after this long; -1: until stopped
    QString on;         // the camera it goes to (name or index); empty: the panel's own
    QString by;         // who asked ("http", "osc", "command line"), for the events
    bool force = false; // past the guard of a camera on program

    // The tally states by their names, in `number`'s order.
    static const QStringList &tallyStates();
    double seconds = 0; // a preset's glide, instead of a speed
    QString name;       // a preset's

    // Bounds of what a preset takes.
    static constexpr int FastestPresetSpeed = 8;
    static constexpr double ShortestGlide = 0.1, LongestGlide = 60;
    static constexpr int LongestPresetName = 64;
    // Why `name` cannot name a preset, "" when it can.
    static QString presetNameProblem(const QString &name);

    // The joystick key of a direction name ("up-left" ...), -1 when there is none.
    static int directionKey(const QString &name);
    // The image controls by their option names, in the panel's order.
    static const QStringList &imageControls();
    // The name of an option ("white-balance") as the HTTP API's keys spell it ("whiteBalance").
    static QString camelCase(const QString &name);
};

struct Outcome
{
    // Why a command was not carried out; the HTTP API answers each with its own status.
    enum Cause
    {
        Done,
        Usage,       // the command itself is wrong
        BadValue,    // a value outside what the camera takes
        NotFound,    // no such camera or preset
        Guarded,     // refused by a guard of the panel (a camera on program)
        NotStored,   // carried out, but could not be kept
        Unsupported, // this camera cannot do that
        Unavailable, // no camera, or it is gone or does not answer
    };

    int exitCode = 0;   // 0 done, 1 the camera refused or is absent, 2 a usage error
    QString output;     // for stdout
    QString error;      // one line for stderr
    Cause cause = Done; // what the error is

    static Outcome failed(const QString &why, Cause cause = Unavailable)
    {
        return {1, {}, why, cause};
    }
    static Outcome misused(const QString &why) { return {2, {}, why, Usage}; }
    // A value no camera would be asked for: refused as a usage error is, without the usage.
    static Outcome outOfRange(const QString &why) { return {2, {}, why, BadValue}; }
    // What keeps `camera` from `what`, the first cause first: a camera that does not answer
    // tells nothing of what it can do. Done when neither holds (`capability` 0: any camera).
    static Outcome lacking(const QString &camera, uint capabilities, uint capability,
                           const QString &what);
};
