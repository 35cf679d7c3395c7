// Presets of cameras that keep none themselves: pan, tilt and zoom per preset number and
// camera, in a small file under the user's configuration directory, so they survive a
// restart. A corrupt or unwritable file costs the presets, never the panel.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

class PresetStore
{
public:
    // An axis the camera cannot report is absent.
    using Position = std::array<std::optional<int64_t>, 3>; // pan, tilt, zoom

    // The file is $XDG_CONFIG_HOME/ptz-panel/presets (or ~/.config/...), read on first use.
    PresetStore() = default;

    void store(const std::string &camera, int number, const Position &position);
    std::optional<Position> find(const std::string &camera, int number);
    void erase(const std::string &camera, int number);

    static std::string defaultPath();

private:
    void load();
    void save();

    bool loaded = false;
    std::string path;
    std::map<std::pair<std::string, int>, Position> presets;
};
