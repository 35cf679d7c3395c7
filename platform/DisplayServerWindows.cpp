// SPDX-License-Identifier: GPL-2.0-or-later
#include "DisplayServer.h"

void chooseDisplayServer() {}

bool displayAvailable(const QString &, QString &)
{
    return true;
}

bool windowsPlaceThemselves()
{
    return true;
}

void reportWindowLimits() {}

void reportKeyRepeatsAsPresses() {} // Windows repeats a held key by presses alone
