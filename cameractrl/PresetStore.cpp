#include "PresetStore.h"
#include "Report.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Camera names come from devices; keep the file's fields apart whatever they hold.
std::string field(std::string text)
{
    for (char &c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

std::string PresetStore::defaultPath()
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    const char *home = std::getenv("HOME");
    fs::path base;
    if (config && *config)
        base = config;
    else if (home && *home)
        base = fs::path(home) / ".config";
    else
        return {};
    return (base / "ptz-panel" / "presets").string();
}

void PresetStore::load()
{
    const std::string wanted = defaultPath();
    if (loaded && wanted == path)
        return;
    loaded = true;
    path = wanted;
    presets.clear();
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string camera, number, axes[3];
        if (!std::getline(fields, camera, '\t') || !std::getline(fields, number, '\t') ||
            !std::getline(fields, axes[0], '\t') || !std::getline(fields, axes[1], '\t') ||
            !std::getline(fields, axes[2]))
            continue; // a damaged line loses one preset
        try {
            Position position;
            for (int i = 0; i < 3; ++i)
                if (axes[i] != "-")
                    position[i] = std::stoll(axes[i]);
            presets[{camera, std::stoi(number)}] = position;
        } catch (const std::exception &) {
            continue;
        }
    }
}

void PresetStore::save()
{
    if (path.empty())
        return;
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto &[key, position] : presets) {
            out << field(key.first) << '\t' << key.second;
            for (const auto &axis : position)
                out << '\t' << (axis ? std::to_string(*axis) : "-");
            out << '\n';
        }
        if (!out) {
            reportOnce("cannot write presets to " + temporary + ": " + std::strerror(errno));
            return;
        }
    }
    fs::rename(temporary, path, error);
    if (error)
        reportOnce("cannot write presets to " + path + ": " + error.message());
}

void PresetStore::store(const std::string &camera, int number, const Position &position)
{
    load();
    presets[{field(camera), number}] = position;
    save();
}

std::optional<PresetStore::Position> PresetStore::find(const std::string &camera, int number)
{
    load();
    const auto found = presets.find({field(camera), number});
    if (found == presets.end())
        return std::nullopt;
    return found->second;
}

void PresetStore::erase(const std::string &camera, int number)
{
    load();
    if (presets.erase({field(camera), number}))
        save();
}
