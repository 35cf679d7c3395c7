#include "DisplayServer.h"

void chooseDisplayServer() {}

bool windowsPlaceThemselves()
{
    return true;
}

void reportWindowLimits() {}
