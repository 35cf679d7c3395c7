// SPDX-License-Identifier: GPL-2.0-or-later
#include "Command.h"

#include <QJsonArray>

#include <cmath>

namespace {

// A preset as a cue gives it: a number 0..255, or a name a preset may have.
bool presetFits(const QString &preset)
{
    bool isNumber = false;
    const int number = preset.toInt(&isNumber, 10);
    if (isNumber)
        return number >= 0 && number <= Command::LastPreset;
    return !preset.isEmpty() && Command::presetNameProblem(preset).isEmpty();
}

// A shot's or tour's time: none (0), or within what a show takes.
bool timeFits(double seconds, bool none = true)
{
    if (none && seconds == 0)
        return true;
    return std::isfinite(seconds) && seconds >= Command::ShortestGlide &&
           seconds <= Command::LongestShow;
}

// What a value given as JSON is, for the check: a number not whole is none a command takes.
QString presetOf(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    const double d = value.toDouble(-1);
    return value.isDouble() && d == std::floor(d) && std::abs(d) < 1e9 ? QString::number(int(d))
                                                                       : QStringLiteral("-1");
}

// A camera as JSON gives it: a name, or an index.
QString cameraOf(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    const double d = value.toDouble(-1);
    return value.isDouble() && d >= 0 && d <= 255 && d == std::floor(d) ? QString::number(int(d))
                                                                        : QString();
}

// Given, a speed or a time of 0 is none at all: refused as such.
int speedOf(const QJsonValue &value)
{
    const double d = value.toDouble(-1);
    return value.isUndefined() ? 0 : d == std::floor(d) && d >= 1 && d <= 1e6 ? int(d) : -1;
}

double secondsOf(const QJsonValue &value)
{
    return value.isUndefined()                         ? 0
           : value.isDouble() && value.toDouble() != 0 ? value.toDouble()
                                                       : NAN;
}

} // namespace

const QStringList &Command::directions()
{
    static const QStringList keys = {"up-left", "up",        "up-right", "left",      "",
                                     "right",   "down-left", "down",     "down-right"};
    return keys;
}

const QStringList &Command::zoomDirections()
{
    static const QStringList names = {"out", "", "in"};
    return names;
}

const QStringList &Command::flickerModes()
{
    static const QStringList names = {"off", "50", "60"};
    return names;
}

const QStringList &Command::flickerStates()
{
    static const QStringList names = {"off", "50", "60", "auto"};
    return names;
}

const QStringList &Command::tallyStates()
{
    static const QStringList names = {"off", "preview", "program"};
    return names;
}

const QStringList &Command::switchStates()
{
    static const QStringList names = {"off", "on"};
    return names;
}

const QStringList &Command::healthStates()
{
    static const QStringList names = {"answering", "slow", "not answering", "refused", "busy"};
    return names;
}

int Command::indexOf(const QStringList &names, const QString &name)
{
    return name.isEmpty() ? -1 : int(names.indexOf(name));
}

int Command::directionKey(const QString &name)
{
    return indexOf(directions(), name);
}

const QStringList &Command::imageControls()
{
    static const QStringList names = {"brightness", "contrast", "hue",       "saturation",
                                      "sharpness",  "gamma",    "backlight", "white-balance"};
    return names;
}

QString Command::camelCase(const QString &name)
{
    QString key;
    bool upper = false;
    for (const QChar c : name) {
        if (c == '-') {
            upper = true;
            continue;
        }
        key += upper ? c.toUpper() : c;
        upper = false;
    }
    return key;
}

bool Command::check(Value &wrong) const
{
    const auto fail = [&wrong](Value value) {
        wrong = value;
        return false;
    };
    const bool presetGiven = !text.isEmpty() || (number >= 0 && number <= LastPreset);
    switch (kind) {
    case Preset:
    case Store:
    case Clear:
    case NamePreset:
        if (!presetGiven || (!text.isEmpty() && !presetNameProblem(text).isEmpty()))
            return fail(PresetValue);
        if (speed &&
            (kind == Clear || kind == NamePreset || speed < 1 || speed > FastestPresetSpeed))
            return fail(SpeedValue);
        if (seconds != 0 && (kind != Preset || speed || !std::isfinite(seconds) ||
                             seconds < ShortestGlide || seconds > LongestGlide))
            return fail(DurationValue);
        if (kind == NamePreset && !presetNameProblem(name).isEmpty())
            return fail(NameValue);
        return true;
    case Move:
    case Zoom:
        if (kind == Move ? direction < 0 || direction > 8 || direction == 4
                         : direction != 1 && direction != -1)
            return fail(DirectionValue);
        if (speed < 1 || speed > fastest(kind))
            return fail(SpeedValue);
        if (forMs != -1 && (forMs <= 0 || forMs > LongestMotionMs))
            return fail(ForValue);
        return true;
    case Flicker:
        return number >= 0 && number < flickerModes().size() ? true : fail(FlickerValue);
    case Tally:
        return number >= 0 && number < tallyStates().size() ? true : fail(TallyValue);
    case WhiteBalanceAuto:
        return number == 0 || number == 1 ? true : fail(SwitchValue);
    case DefineShot:
    case DefineTour: {
        const bool tour = kind == DefineTour;
        if (!showNameProblem(name).isEmpty())
            return fail(ShowValue);
        if (tour && text.isEmpty())
            return fail(CameraValue);
        if (cues.isEmpty() || cues.size() > (tour ? MostTourSteps : MostShotCameras))
            return fail(CuesValue);
        if (!timeFits(seconds))
            return fail(DurationValue);
        for (const Cue &cue : cues) {
            if (!tour && cue.camera.isEmpty())
                return fail(CameraValue);
            if (!presetFits(cue.preset))
                return fail(PresetValue);
            if (cue.speed && (cue.speed < 1 || cue.speed > FastestPresetSpeed))
                return fail(SpeedValue);
            if (!timeFits(cue.seconds) || (cue.seconds != 0 && cue.speed))
                return fail(DurationValue);
            if (tour ? !timeFits(cue.dwell, false) : cue.dwell != 0)
                return fail(DwellValue);
        }
        return true;
    }
    case Shot:
        if (!timeFits(seconds))
            return fail(DurationValue);
        [[fallthrough]];
    case DeleteShot:
    case Tour:
    case DeleteTour:
        return showNameProblem(name).isEmpty() ? true : fail(ShowValue);
    case StopTour:
        return name.isEmpty() || showNameProblem(name).isEmpty() ? true : fail(ShowValue);
    default:
        return true;
    }
}

QString Command::needs(Value value, Kind kind)
{
    const auto listed = [](const QStringList &names) {
        QStringList given = names;
        given.removeAll(QString());
        return given.mid(0, given.size() - 1).join(", ") + " or " + given.last();
    };
    switch (value) {
    case PresetValue:
        return QStringLiteral("a preset number from 0 to %1, or a preset's name").arg(LastPreset);
    case SpeedValue:
        return QStringLiteral("a number from 1 to %1")
            .arg(kind == Preset || kind == Store || isShow(kind) ? FastestPresetSpeed
                                                                 : fastest(kind));
    case DurationValue:
    case DwellValue:
        return QStringLiteral("a number of seconds from %1 to %2")
            .arg(ShortestGlide)
            .arg(isShow(kind) ? LongestShow : LongestGlide);
    case ForValue:
        return QStringLiteral("a number of seconds, up to %1").arg(LongestMotionMs / 1000);
    case DirectionValue:
        return kind == Zoom ? QStringLiteral("in or out")
                            : QStringLiteral("a direction: left, right, up, down, up-left, "
                                             "up-right, down-left or down-right");
    case FlickerValue:
        return listed(flickerModes());
    case TallyValue:
        return listed(tallyStates());
    case SwitchValue:
        return QStringLiteral("on or off");
    case NameValue:
        return QStringLiteral("a name of up to %1 characters, without control characters, "
                              "that is not a number")
            .arg(LongestPresetName);
    case ShowValue:
        return QStringLiteral("a name of up to %1 characters, without control characters")
            .arg(LongestShowName);
    case CameraValue:
        return QStringLiteral("a camera's name or index");
    case CuesValue:
        return kind == DefineTour ? QStringLiteral("from 1 to %1 steps, each a preset and a dwell")
                                        .arg(MostTourSteps)
                                  : QStringLiteral("from 1 to %1 cameras, each with a preset")
                                        .arg(MostShotCameras);
    }
    return {};
}

namespace {

QString nameProblem(const QString &name, const char *whose, int longest)
{
    if (name.size() > longest)
        return QStringLiteral("%1 name has at most %2 characters").arg(whose).arg(longest);
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return QStringLiteral("%1 name holds no control characters").arg(whose);
    return {};
}

} // namespace

QString Command::showNameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("a shot or tour needs a name");
    return nameProblem(name, "a shot's or tour's", LongestShowName);
}

QString Command::presetNameProblem(const QString &name)
{
    if (const QString problem = nameProblem(name, "a preset's", LongestPresetName);
        !problem.isEmpty())
        return problem;
    // A name of digits would read as a number wherever presets are named.
    bool number = false;
    name.toInt(&number, 10);
    if (number)
        return QStringLiteral("a preset's name cannot be a number");
    return {};
}

QJsonValue Command::presetJson(const QString &preset)
{
    bool isNumber = false;
    const int number = preset.toInt(&isNumber, 10);
    return isNumber ? QJsonValue(number) : QJsonValue(preset);
}

QJsonObject Command::definition() const
{
    const bool tour = kind == DefineTour;
    QJsonArray list;
    for (const Cue &cue : cues) {
        QJsonObject part{{"preset", presetJson(cue.preset)}};
        if (tour)
            part.insert("dwell", cue.dwell);
        else
            part.insert("camera", cue.camera);
        if (cue.speed)
            part.insert("speed", cue.speed);
        if (cue.seconds != 0)
            part.insert("duration", cue.seconds);
        list.append(part);
    }
    QJsonObject json{{tour ? "steps" : "cameras", list}};
    if (tour) {
        json.insert("camera", text);
        json.insert("loop", loop);
    } else if (seconds != 0) {
        json.insert("duration", seconds);
    }
    return json;
}

bool Command::readDefinition(const QJsonObject &json, QString &why)
{
    const bool tour = kind == DefineTour;
    const char *listKey = tour ? "steps" : "cameras";
    const QJsonValue list = json.value(listKey);
    why = tour ? QStringLiteral("\"steps\" must be a list of {\"preset\", \"dwell\"}")
               : QStringLiteral("\"cameras\" must be a list of {\"camera\", \"preset\"}");
    if (!list.isArray())
        return false;
    cues.clear();
    for (const QJsonValue value : list.toArray()) {
        const QJsonObject o = value.toObject();
        if (!value.isObject() || !o.contains("preset") || (tour && !o.value("dwell").isDouble()))
            return false;
        Cue cue;
        cue.preset = presetOf(o.value("preset"));
        cue.speed = speedOf(o.value("speed"));
        cue.seconds = secondsOf(o.value("duration"));
        if (tour)
            cue.dwell = o.value("dwell").toDouble();
        else if ((cue.camera = cameraOf(o.value("camera"))).isEmpty())
            return false;
        cues.append(cue);
    }
    if (tour) {
        text = cameraOf(json.value("camera"));
        why = QStringLiteral("\"camera\" must be a camera's name or index");
        if (text.isEmpty())
            return false;
        why = QStringLiteral("\"loop\" must be true or false");
        if (json.contains("loop") && !json.value("loop").isBool())
            return false;
        loop = json.value("loop").toBool();
    } else {
        seconds = secondsOf(json.value("duration"));
    }
    why.clear();
    return true;
}
