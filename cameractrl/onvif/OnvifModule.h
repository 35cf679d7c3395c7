// SPDX-License-Identifier: GPL-2.0-or-later
// Loads the module with the ONVIF backend's libraries (see OnvifWire.h) on first use: from
// the directory of the camera library itself, else wherever the loader finds it.
#pragma once

#include "OnvifWire.h"

#include <string>

class OnvifModule
{
public:
    static constexpr const char *FileName = "libCameraCtrlOnvif.so";
    // The module's wire, loaded once; nullptr, with why, when it cannot be.
    static OnvifWire *wire(std::string &error);
};
