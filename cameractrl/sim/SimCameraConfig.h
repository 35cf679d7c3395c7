// SPDX-License-Identifier: GPL-2.0-or-later
// What a simulated camera is made of: its name, whether it opens, its image records and what
// it lacks. Read from a "*.cam" file of key=value lines, or the built-in camera's values.
#pragma once

#include "BaseDevice.h"

#include <optional>
#include <string>

class SimCameraConfig
{
public:
    std::string name;
    bool opens = true;
    ParameterRecord records[PARAM_COUNT];
    uint32_t lacks = 0; // CAP_... bits the camera cannot do
    // false: it has no preset memory of its own (as USB cameras), and the library keeps its
    // presets in the user's preset file.
    bool keepsPresets = true;
    // How it answers (HEALTH_...): one neither answering nor slow takes no operation.
    int32_t health = HEALTH_ANSWERING;

    static SimCameraConfig builtin();
    // Keys that are missing keep the built-in values; the name defaults to `defaultName`.
    // Each unusable line is reported on stderr once and skipped.
    static SimCameraConfig parse(const std::string &text, const std::string &origin,
                                 const std::string &defaultName);
    // std::nullopt when the file cannot be read (it may have just been unplugged).
    static std::optional<SimCameraConfig> load(const std::string &path);

    bool operator==(const SimCameraConfig &other) const;
    bool operator!=(const SimCameraConfig &other) const { return !(*this == other); }
};
