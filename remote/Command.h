// SPDX-License-Identifier: GPL-2.0-or-later
// One thing asked of the panel from outside it (command line, HTTP, OSC), and its outcome.
// The same commands run in the running panel or, without one, on a session the command line
// opens itself. What each value takes is said here once: every input reads its own syntax,
// then asks check(), and words a refusal with needs().
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <QVector>

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
        ExportPresets, // the camera's presets into the file `text`, with the shots and tours
        ImportPresets, // the camera's presets from the file `text`, with the shots and tours
        DefineShot,    // shot `name`: `cues` (a camera and its preset each), over `seconds`
        Shot,          // recall shot `name`, over `seconds` when given
        ListShots,
        DeleteShot, // shot `name`
        DefineTour, // tour `name` of camera `text`: `cues` (a preset and a dwell each), `loop`
        Tour,       // start tour `name`
        StopTour,   // tour `name`, or every tour running when it is empty
        ListTours,  // with those running
        DeleteTour, // tour `name`
    };

    // One camera's part of a shot, or one step of a tour.
    struct Cue
    {
        QString camera;     // a shot's: a camera's name or index
        QString preset;     // a number 0..255, or a preset's name
        int speed = 0;      // 1..8; 0: the preset's own
        double seconds = 0; // a glide over this time instead; 0: none
        double dwell = 0;   // a tour's: how long the camera stays there
        // Given as one "CAMERA:PRESET": where either name holds a ':', split elsewhere.
        bool joined = false;
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
    double seconds = 0; // a preset's glide, instead of a speed; a shot's time
    QString name;       // a preset's, a shot's or a tour's
    QVector<Cue> cues;  // a shot's cameras or a tour's steps
    bool loop = false;  // a tour's
    // A recall of a shot's: planned, and sent with the shot's other cameras.
    bool held = false;
    // A stop for a keep-alive that did not come: it stops a remote move or zoom still going,
    // not what took the camera over since (a recall, a tour).
    bool lapsed = false;

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
        ShowValue,   // a shot's or tour's name
        CameraValue, // a camera's name or index
        CuesValue,   // a shot's cameras or a tour's steps, how many
        DwellValue,  // a tour step's, in seconds
    };

    static constexpr int LastPreset = 255;
    static constexpr int FastestMove = 8, FastestZoom = 7, FastestPresetSpeed = 8;
    static constexpr int DefaultSpeed = 4;
    static constexpr double ShortestGlide = 0.1, LongestGlide = 60;
    static constexpr int LongestMotionMs = 3600 * 1000;
    static constexpr int LongestPresetName = 64;
    static constexpr int LongestShowName = 64;
    static constexpr double LongestShow = 600; // a shot's time, a tour step's dwell or glide
    static constexpr int MostShotCameras = 16, MostTourSteps = 64;

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
    // Why `name` cannot name a shot or a tour, "" when it can.
    static QString showNameProblem(const QString &name);
    static bool isShow(Kind kind) { return kind >= DefineShot; }

    // A shot (DefineShot) or tour (DefineTour) as JSON, as the HTTP API takes it and the files
    // keep it ({"cameras": [{"camera", "preset"}], "duration"}, {"camera", "steps": [{"preset",
    // "dwell"}], "loop"}), without its name.
    QJsonObject definition() const;
    // A cue's preset as JSON gives it: a number, or a name.
    static QJsonValue presetJson(const QString &preset);
    // Its values from such JSON; false, with what is not of its type, when one is not (what
    // the values take is check()'s).
    bool readDefinition(const QJsonObject &json, QString &why);
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
