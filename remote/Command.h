// SPDX-License-Identifier: GPL-2.0-or-later
// One thing asked of the panel from outside it (command line, HTTP, OSC), and its outcome.
// The same commands run in the running panel or, without one, on a session the command line
// opens itself. What each value takes is said here once: every input reads its own syntax,
// then asks check(), and words a refusal with needs().
#pragma once

#include <QJsonValue>
#include <QString>
#include <QStringList>

struct Command
{
    enum Kind
    {
        List,   // the cameras: index and name
        Camera, // choose a camera: `number` (index) or `text` (name)
        Preset, // recall preset `number` (or the one named `text`), at `speed` or over `seconds`
        Store,  // store preset `number`, with `speed` as its own when given
        Clear,  // clear preset `number`
        Home,
        Move,             // toward `direction` (a joystick key, 0..8) at `speed` 1..8
        Zoom,             // `direction` +1 in, -1 out, at `speed` 1..7
        Stop,             // pan, tilt and zoom
        Position,         // absolute `pan`, `tilt`, in the SET/PT fields' units
        GetPosition,      // where the camera is: {"pan", "tilt"}
        Image,            // image control `text` ("brightness" ...) to `number`
        WhiteBalanceAuto, // `number` 1 automatic, 0 manual
        Flicker,          // `number` 0 off, 1 50 Hz, 2 60 Hz
        ResetImage,
        Raise,         // show the running panel's window
        Tally,         // `number` 0 off, 1 preview, 2 program
        NamePreset,    // name preset `number` `name` ("" takes its name away)
        ListPresets,   // every preset kept: number, stored, name, position, speed
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
    double seconds = 0; // a preset's glide, instead of a speed
    QString name;       // a preset's

    // ---- What each value takes ----

    // The values of a command a refusal can be about.
    enum Value
    {
        PresetValue,    // `number` 0..255, or a preset's name in `text`
        SpeedValue,     // of a move, zoom, recall or store
        DurationValue,  // a recall's glide, in seconds
        ForValue,       // how long a move or zoom lasts
        DirectionValue, // of a move or zoom
        FlickerValue,
        TallyValue,
        SwitchValue, // on or off
        NameValue,   // a preset's name
    };

    static constexpr int LastPreset = 255;
    static constexpr int FastestMove = 8, FastestZoom = 7, FastestPresetSpeed = 8;
    static constexpr int DefaultSpeed = 4;
    static constexpr double ShortestGlide = 0.1, LongestGlide = 60;
    static constexpr int LongestMotionMs = 3600 * 1000;
    static constexpr int LongestPresetName = 64;

    // The names each input spells values with, in their numbers' order.
    static const QStringList &directions();     // the joystick's keys; the middle has none
    static const QStringList &zoomDirections(); // "out", "", "in": direction + 1
    static const QStringList &flickerModes();   // what can be set: off, 50, 60
    static const QStringList &flickerStates();  // what a camera may be in: also "auto"
    static const QStringList &tallyStates();
    static const QStringList &switchStates(); // "off", "on"
    // How a camera answers, in HEALTH_...'s order.
    static const QStringList &healthStates();
    // The index of `name` in `names`, -1 when it is none of them (nor empty).
    static int indexOf(const QStringList &names, const QString &name);
    // The joystick key of a direction name ("up-left" ...), -1 when there is none.
    static int directionKey(const QString &name);

    // The image controls by their option names, in the panel's order.
    static const QStringList &imageControls();
    // The name of an option ("white-balance") as the HTTP API's keys spell it ("whiteBalance").
    static QString camelCase(const QString &name);

    // False, with the value that is wrong, when the command asks for what no camera takes.
    bool check(Value &wrong) const;
    // What `value` of a command of `kind` must be ("a number from 1 to 8"), as every input's
    // refusal says it.
    static QString needs(Value value, Kind kind);
    // Why `name` cannot name a preset, "" when it can.
    static QString presetNameProblem(const QString &name);
    // The fastest speed a command of `kind` takes.
    static int fastest(Kind kind) { return kind == Zoom ? FastestZoom : FastestMove; }
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

    Outcome() = default;
    Outcome(int exitCode, QString output, QString error, Cause cause = Done, QJsonValue data = {})
        : exitCode(exitCode), output(std::move(output)), error(std::move(error)), cause(cause),
          data(std::move(data))
    {}

    int exitCode = 0;   // 0 done, 1 the camera refused or is absent, 2 a usage error
    QString output;     // for stdout: the command line's lines (CommandLine::print)
    QString error;      // one line for stderr
    Cause cause = Done; // what the error is
    QJsonValue data;    // what a reading found: the cameras, a position, the presets

    static Outcome failed(const QString &why, Cause cause = Unavailable)
    {
        return {1, {}, why, cause, {}};
    }
    static Outcome misused(const QString &why) { return {2, {}, why, Usage, {}}; }
    // A value no camera would be asked for: refused as a usage error is, without the usage.
    static Outcome outOfRange(const QString &why) { return {2, {}, why, BadValue, {}}; }
    static Outcome found(const QJsonValue &data) { return {0, {}, {}, Done, data}; }
};
