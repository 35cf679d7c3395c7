// SPDX-License-Identifier: GPL-2.0-or-later
// Presets as the library keeps them per camera: pan, tilt and zoom for cameras that keep
// none themselves, and for every camera a preset's name and its own recall speed, so they
// survive a restart. A corrupt or unwritable file costs the presets, never the panel; a
// preset that cannot be written is said to its caller, every time.
#pragma once

#include "BaseDevice.h"
#include "CameraStore.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

class PresetStore
{
public:
    // Each file has one store in the process: two stores of one file would each write back
    // only what they hold.
    explicit PresetStore(std::string fileName = "presets") : file(std::move(fileName)) {}

    // An axis the camera cannot report is absent.
    using Position = std::array<std::optional<int64_t>, 3>; // pan, tilt, zoom

    struct Entry
    {
        Position position;
        bool stored = false; // named before it was ever stored, a preset is not
        int speed = 0;       // 0: none of its own
        std::string name;
    };

    // Written at once: a stored preset survives a crash right after. False, with why, when
    // the file could not be written (the preset holds until the program ends). A preset
    // stored again keeps its name and speed.
    bool store(const std::string &camera, int number, const Position &position, std::string &error);
    // Where a stored preset is.
    std::optional<Position> find(const std::string &camera, int number);
    std::optional<Entry> entry(const std::string &camera, int number);
    bool put(const std::string &camera, int number, const Entry &entry, std::string &error);
    bool erase(const std::string &camera, int number, std::string &error);
    // As ReadPreset gives it and WritePreset takes it: pan and tilt are kept in units
    // `perUnit` times finer than Set...Position's.
    static PresetRecord record(const std::optional<Entry> &entry, int64_t perUnit = 1);
    static Entry entryOf(const PresetRecord &record, int64_t perUnit = 1);

    // Presets kept under an older name of the camera move to its new name.
    bool adopt(const std::string &camera, const std::string &olderName, std::string &error);

private:
    CameraStore file;
};
