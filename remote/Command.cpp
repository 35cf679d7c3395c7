// SPDX-License-Identifier: GPL-2.0-or-later
#include "Command.h"

#include <cmath>

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
            .arg(kind == Preset || kind == Store ? FastestPresetSpeed : fastest(kind));
    case DurationValue:
        return QStringLiteral("a number of seconds from %1 to %2")
            .arg(ShortestGlide)
            .arg(LongestGlide);
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
    }
    return {};
}

QString Command::presetNameProblem(const QString &name)
{
    if (name.size() > LongestPresetName)
        return QStringLiteral("a preset's name has at most %1 characters").arg(LongestPresetName);
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return QStringLiteral("a preset's name holds no control characters");
    // A name of digits would read as a number wherever presets are named.
    bool number = false;
    name.toInt(&number, 10);
    if (number)
        return QStringLiteral("a preset's name cannot be a number");
    return {};
}
