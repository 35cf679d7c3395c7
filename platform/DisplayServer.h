// SPDX-License-Identifier: GPL-2.0-or-later
// Which display server the panel runs on. The window places itself, docks at the screen edge
// and stays above others: an X server lets it, a Wayland compositor does not.
#pragma once

#include <QString>

// Before the application object exists: runs on an X server whenever one is reachable, also
// inside a Wayland session (through XWayland). The user's own QT_QPA_PLATFORM always wins.
void chooseDisplayServer();

// Before the application object exists, which would abort without one: whether the display
// the panel is to open (on Qt's `platform`, "" for the default) is there; if not, `why` says
// so in one line.
bool displayAvailable(const QString &platform, QString &why);

// After it exists: whether the window may place itself, read its position and keep itself
// above other windows.
bool windowsPlaceThemselves();

// Says once, on stderr, what the session cannot give the window.
void reportWindowLimits();

// After it exists: a held key's repeats come as presses alone, without a release before each,
// so that the only release of a key is the one of the finger leaving it. (On X, telling a
// repeat's release from a real one by the next event fails when that event is late.)
void reportKeyRepeatsAsPresses();
