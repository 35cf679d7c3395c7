// SPDX-License-Identifier: GPL-2.0-or-later
// The style sheets of the forms: the dark flat look, the background picture and pictograms.
#pragma once

#include <QString>

namespace StyleSheets {

// Main window.
QString central();
QString ptzOverride();
QString edgeStrip();
QString background();

// Image settings panel.
QString imagePanel();
QString separator();
// A separator in the tally's colour: 0 off (as separator()), 1 preview, 2 program.
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
