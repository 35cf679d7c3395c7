// SPDX-License-Identifier: GPL-2.0-or-later
// The eight image controls: which slider and read-out show each, the main window's slot a
// drag of it reaches, which device operation sets it and where the device keeps its record.
#pragma once

#include "BaseDevice.h"

struct ImageControl
{
    enum Id
    {
        Brightness,
        Contrast,
        Hue,
        Saturation,
        Sharpness,
        Gamma,
        Backlight,
        WhiteBalance,
        Count
    };

    const char *slider;  // object name of the QSlider
    const char *readout; // object name of the read-out QLineEdit
    const char *slot;    // the main window's slot, taking the slider's position
    ParameterIndex record;
    bool (BaseDevice::*set)(int);

    static const ImageControl &of(Id id);
};
