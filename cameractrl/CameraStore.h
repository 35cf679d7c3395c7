// SPDX-License-Identifier: GPL-2.0-or-later
// What the library keeps per camera across runs (presets of cameras that keep none, image
// settings the camera forgets at power-off): one small file of tab-separated lines
// "camera, key, value" under $XDG_CONFIG_HOME/ptz-panel (or ~/.config/ptz-panel).
// Thread-safe. Read on first use; a damaged line loses that entry only; written atomically.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

class CameraStore
{
public:
    explicit CameraStore(std::string fileName);

    std::optional<std::string> find(const std::string &camera, const std::string &key);
    std::map<std::string, std::string> all(const std::string &camera);
    // Changes are kept in memory until save(), so that a burst costs one write.
    void put(const std::string &camera, const std::string &key, const std::string &value);
    void erase(const std::string &camera, const std::string &key);
    // Hands what is kept under `from` to `to`, unless `to` has something already.
    void adopt(const std::string &to, const std::string &from);
    // Writes the file if anything changed since it was read or last written. False, with why,
    // when it could not be written (what changed is kept, and written by the next save).
    bool save(std::string &error);

    // The directory of the files, "" when neither XDG_CONFIG_HOME nor HOME is set.
    static std::string directory();

private:
    void loadLocked();

    const std::string fileName;
    std::mutex mutex;
    bool loaded = false;
    bool dirty = false;
    std::string path;
    std::map<std::pair<std::string, std::string>, std::string> entries;
};
