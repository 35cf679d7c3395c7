// SPDX-License-Identifier: GPL-2.0-or-later
// Loads the stream module (see StreamWire.h) when the first picture of a stream is taken.
#pragma once

#include "StreamWire.h"

#include <string>

class StreamModule
{
public:
    static constexpr const char *FileName = "libCameraCtrlStream.so";
    // The module's wire; nullptr, with why, when it cannot be had.
    static StreamWire *wire(std::string &error);
};
