// SPDX-License-Identifier: GPL-2.0-or-later
// Announces a game controller arriving, as udevd would after its rules have run (see the
// tests' FakeUdev): udev_joystick [add|remove]. Needs CAP_NET_ADMIN.
#include "FakeUdev.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    QString why;
    if (FakeUdev::announceInput(argc > 1 ? QByteArray(argv[1]) : QByteArray("add"), "JOYSTICK",
                                why))
        return 0;
    std::fprintf(stderr, "udev_joystick: %s\n", qPrintable(why));
    return 1;
}
