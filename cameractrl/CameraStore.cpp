// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraStore.h"
#include "AtomicFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Names come from devices; keep the file's fields apart whatever they hold. A value may
// hold tabs of its own (the last field runs to the end of the line), but never a newline.
std::string field(std::string text, bool tabs = false)
{
    for (char &c : text)
        if ((c == '\t' && !tabs) || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

CameraStore::CameraStore(std::string name) : fileName(std::move(name)) {}

std::string CameraStore::directory()
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    const char *home = std::getenv("HOME");
    if (config && *config)
        return (fs::path(config) / "ptz-panel").string();
    if (home && *home)
        return (fs::path(home) / ".config" / "ptz-panel").string();
    return {};
}

void CameraStore::loadLocked()
{
    const std::string dir = directory();
    const std::string wanted = dir.empty() ? std::string() : (fs::path(dir) / fileName).string();
    if (loaded && wanted == path)
        return;
    loaded = true;
    dirty = false;
    path = wanted;
    entries.clear();
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find('\t');
        const auto second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos || first == 0)
            continue; // a damaged line loses one entry
        entries[{line.substr(0, first), line.substr(first + 1, second - first - 1)}] =
            line.substr(second + 1);
    }
}

std::optional<std::string> CameraStore::find(const std::string &camera, const std::string &key)
{
    const std::lock_guard<std::mutex> lock(mutex);
    loadLocked();
    const auto found = entries.find({field(camera), field(key)});
    if (found == entries.end())
        return std::nullopt;
    return found->second;
}

std::map<std::string, std::string> CameraStore::all(const std::string &camera)
{
    const std::lock_guard<std::mutex> lock(mutex);
    loadLocked();
    std::map<std::string, std::string> values;
    const std::string name = field(camera);
    for (auto it = entries.lower_bound({name, std::string()});
         it != entries.end() && it->first.first == name; ++it)
        values[it->first.second] = it->second;
    return values;
}

void CameraStore::put(const std::string &camera, const std::string &key, const std::string &value)
{
    const std::lock_guard<std::mutex> lock(mutex);
    loadLocked();
    std::string &slot = entries[{field(camera), field(key)}];
    const std::string text = field(value, true);
    dirty = dirty || slot != text;
    slot = text;
}

void CameraStore::erase(const std::string &camera, const std::string &key)
{
    const std::lock_guard<std::mutex> lock(mutex);
    loadLocked();
    dirty = entries.erase({field(camera), field(key)}) > 0 || dirty;
}

void CameraStore::adopt(const std::string &to, const std::string &from)
{
    const std::lock_guard<std::mutex> lock(mutex);
    loadLocked();
    const std::string newName = field(to), oldName = field(from);
    if (newName == oldName)
        return;
    const auto begin = entries.lower_bound({newName, std::string()});
    if (begin != entries.end() && begin->first.first == newName)
        return;
    for (auto it = entries.lower_bound({oldName, std::string()});
         it != entries.end() && it->first.first == oldName;) {
        entries[{newName, it->first.second}] = it->second;
        it = entries.erase(it);
        dirty = true;
    }
}

bool CameraStore::save(std::string &error)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (!dirty)
        return true;
    if (path.empty()) {
        error = "cannot keep " + fileName + ": neither XDG_CONFIG_HOME nor HOME is set";
        return false;
    }
    std::ostringstream out;
    for (const auto &[key, value] : entries)
        out << key.first << '\t' << key.second << '\t' << value << '\n';
    if (!writeFileAtomically(path, out.str(), error))
        return false;
    dirty = false;
    return true;
}
