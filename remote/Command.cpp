// SPDX-License-Identifier: GPL-2.0-or-later
#include "Command.h"

#include <QStringList>

int Command::directionKey(const QString &name)
{
    static const QStringList keys = {"up-left", "up",        "up-right", "left",      "",
                                     "right",   "down-left", "down",     "down-right"};
    return name.isEmpty() ? -1 : int(keys.indexOf(name));
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

Outcome Outcome::lacking(const QString &camera, uint capabilities, uint capability,
                         const QString &what)
{
    if (!capabilities)
        return failed(camera + QStringLiteral(" does not answer"));
    if (capability && !(capabilities & capability))
        return failed(QStringLiteral("%1 cannot %2").arg(camera, what), Unsupported);
    return {};
}

const QStringList &Command::tallyStates()
{
    static const QStringList names = {"off", "preview", "program"};
    return names;
}
