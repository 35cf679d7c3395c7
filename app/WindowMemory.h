// SPDX-License-Identifier: GPL-2.0-or-later
// Where the panel was left: its position (per screen setup), whether the image panel was
// open, and stay-on-top; kept in the user's configuration directory between runs.
#pragma once

class QWidget;

class WindowMemory
{
public:
    // Before the window is shown: a position no screen of this setup shows the PTZ panel's
    // title row at is not taken, the window stays where it would open anyway.
    static void restore(QWidget &window);
    static void save(const QWidget &window);
};
