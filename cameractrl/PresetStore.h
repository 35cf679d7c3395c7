// SPDX-License-Identifier: GPL-2.0-or-later
// Presets of cameras that keep none themselves: pan, tilt and zoom per preset number and
// camera, so they survive a restart. A corrupt or unwritable file costs the presets, never
// the panel; a preset that cannot be written is said to its caller, every time.
#pragma once

#include "CameraStore.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class PresetStore
{
public:
    // An axis the camera cannot report is absent.
    using Position = std::array<std::optional<int64_t>, 3>; // pan, tilt, zoom

    // Written at once: a stored preset survives a crash right after. False, with why, when
    // the file could not be written (the preset holds until the program ends).
    bool store(const std::string &camera, int number, const Position &position, std::string &error);
    std::optional<Position> find(const std::string &camera, int number);
    bool erase(const std::string &camera, int number, std::string &error);
    // Presets kept under an older name of the camera move to its new name.
    bool adopt(const std::string &camera, const std::string &olderName, std::string &error);

private:
    CameraStore file{"presets"};
};
