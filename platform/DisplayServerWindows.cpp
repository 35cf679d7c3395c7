#include "DisplayServer.h"

void chooseDisplayServer() {}

bool windowsPlaceThemselves()
{
    return true;
}

void reportWindowLimits() {}

void reportKeyRepeatsAsPresses() {} // Windows repeats a held key by presses alone
