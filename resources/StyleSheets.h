// SPDX-License-Identifier: GPL-2.0-or-later
// The style sheets of the forms: the dark flat look, the background picture and pictograms.
// The rules are written for one widget or panel each (the functions under "Main window",
// "Image settings panel" and "PTZ panel"); the forms set one sheet per panel, which holds its
// controls' rules by object name, so Qt parses one sheet per panel instead of one per control.
#pragma once

#include <QString>

#include <initializer_list>

namespace StyleSheets {

// A sheet written for one widget, rewritten to reach the named widgets from their panel's
// sheet: every selector gets the name, and bare declarations reach the widget and all it
// holds, as they do set on the widget itself. Its selectors are simple ones (no combinators).
QString named(std::initializer_list<const char *> names, const QString &sheet);

// The sheets the forms set: on the central widget, the image settings panel, the PTZ panel,
// and the PTZ panel in the main window, which replaces the one the panel set on itself.
QString centralForm();
QString imagePanelForm();
QString ptzPanelForm();
QString ptzOverrideForm();

// Main window.
QString central();
QString ptzOverride();
// An edge strip's own sheet, set when it is first shown.
QString edgeStrip();
QString background();

// Image settings panel.
QString imagePanel();
QString separator();
// A separator's own sheet in the tally's colour: 1 preview, 2 program; 0 off, none (the panel's
// separator rule).
QString tallyLine(int state);
QString flickerSelector();
QString readout();

// PTZ panel.
QString ptzPanel();
QString closeKey();
QString stayOnTopKey();
QString joystickBase();
QString presetKey();
QString foldKey();
QString zoomPicture();
QString zoomMinus();
QString zoomPlus();
QString joystick();
QString modeKey();
QString cameraSelector();
QString caption();

} // namespace StyleSheets
