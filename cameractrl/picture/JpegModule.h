// SPDX-License-Identifier: GPL-2.0-or-later
// Loads the JPEG module (see JpegCodec.h) when the first picture is taken.
#pragma once

#include "JpegCodec.h"

#include <string>

class JpegModule
{
public:
    static constexpr const char *FileName = "libCameraCtrlJpeg.so";
    // The module's codec; nullptr, with why, when it cannot be had.
    static JpegCodec *codec(std::string &error);
};
