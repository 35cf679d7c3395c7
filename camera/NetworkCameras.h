// SPDX-License-Identifier: GPL-2.0-or-later
// The network cameras the user configured, for the command line to edit and the panel to
// watch: one per line of a file in the user's configuration directory,
//
//   NAME, udp|tcp, HOST[, PORT]   or   NAME, serial, DEVICE[, RATE]
//
// The camera list shows them after the attached cameras, by name.
#pragma once

#include "BaseDevice.h"

#include <string>

class CAMERACTRL_API NetworkCameras
{
public:
    // Empty when neither XDG_CONFIG_HOME nor HOME is set.
    static std::string configPath();
    // Adds the camera `line` describes, or replaces the one of its name. False, with the
    // reason in `error`, when the line cannot be used or the file cannot be written.
    static bool add(const std::string &line, std::string &error);
    // False when no camera has that name or the file cannot be written.
    static bool remove(const std::string &name, std::string &error);
};
