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
