// SPDX-License-Identifier: GPL-2.0-or-later
#include "PictureStore.h"
#include "AtomicFile.h"
#include "CameraStore.h"
#include "Report.h"
#include "Thumbnail.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

constexpr int PresetCount = 256;

} // namespace

PictureStore &PictureStore::shared()
{
    static auto *store = new PictureStore;
    return *store;
}

std::string PictureStore::folderOf(const std::string &camera)
{
    const std::string dir = CameraStore::directory();
    if (dir.empty())
        return {};
    // Readable where it can be, and apart from every other camera's however alike they read.
    std::string name;
    for (const char c : camera.substr(0, 48))
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '_' ? c : '-';
    char hash[12];
    std::snprintf(hash, sizeof hash, "-%08x", Thumbnail::version({camera.begin(), camera.end()}));
    return (fs::path(dir) / "pictures" / (name + hash)).string();
}

std::string PictureStore::fileOf(const std::string &folder, int preset)
{
    return (fs::path(folder) / (std::to_string(preset) + ".jpg")).string();
}

bool PictureStore::readFile(const std::string &path, std::vector<uint8_t> &jpeg)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    jpeg.assign(MaxStored + 1, 0);
    file.read(reinterpret_cast<char *>(jpeg.data()), std::streamsize(jpeg.size()));
    jpeg.resize(size_t(std::max<std::streamsize>(file.gcount(), 0)));
    if (jpeg.size() <= MaxStored && Thumbnail::wellFormed(jpeg.data(), jpeg.size()))
        return true;
    jpeg.clear();
    std::error_code ignored;
    fs::remove(path, ignored);
    reportOnce(path + " was no whole picture and is dropped");
    return false;
}

std::map<int, PictureStore::Entry> *PictureStore::presetsLocked(const std::string &camera,
                                                                std::string &folder)
{
    folder = folderOf(camera);
    if (folder.empty())
        return nullptr;
    const auto known = cameras.find(folder);
    if (known != cameras.end())
        return &known->second;
    std::map<int, Entry> &presets = cameras[folder];
    std::error_code ec;
    for (const auto &item : fs::directory_iterator(folder, ec)) {
        const std::string name = item.path().filename().string();
        char *end = nullptr;
        const long number = std::strtol(name.c_str(), &end, 10);
        if (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0])) ||
            std::strcmp(end, ".jpg") != 0 || number < 0 || number >= PresetCount)
            continue; // a temporary left by a crash, or not ours
        std::vector<uint8_t> jpeg;
        if (readFile(item.path().string(), jpeg))
            presets[int(number)].version = Thumbnail::version(jpeg);
    }
    return &presets;
}

PictureStore::Kept PictureStore::read(const std::string &camera, int preset, bool withBytes)
{
    Kept kept;
    std::string folder;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const auto *presets = presetsLocked(camera, folder);
        if (!presets || !presets->count(preset))
            return kept;
        kept.version = presets->at(preset).version;
        kept.problem = presets->at(preset).problem;
    }
    if (!withBytes || !kept.version)
        return kept;
    const bool whole = readFile(fileOf(folder, preset), kept.jpeg);
    const std::lock_guard<std::mutex> lock(mutex);
    // Gone meanwhile (cleared, or damaged behind our back): the index follows the file.
    Entry &entry = cameras[folder][preset];
    entry.version = whole ? Thumbnail::version(kept.jpeg) : 0;
    kept.version = entry.version;
    return kept;
}

bool PictureStore::write(const std::string &camera, int preset, const std::vector<uint8_t> &jpeg,
                         std::string &error)
{
    const std::lock_guard<std::mutex> serial(writing);
    std::string folder;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!presetsLocked(camera, folder)) {
            error = "neither XDG_CONFIG_HOME nor HOME is set";
            return false;
        }
    }
    if (jpeg.size() > MaxStored) {
        error = "the picture is larger than " + std::to_string(MaxStored / 1024) + " KiB";
        return false;
    }
    if (!writeFileAtomically(fileOf(folder, preset), std::string(jpeg.begin(), jpeg.end()), error))
        return false;
    const std::lock_guard<std::mutex> lock(mutex);
    cameras[folder][preset] = Entry{Thumbnail::version(jpeg), {}};
    return true;
}

bool PictureStore::drop(const std::string &camera, int preset, const std::string &problem,
                        std::string &error)
{
    const std::lock_guard<std::mutex> serial(writing);
    std::string folder;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!presetsLocked(camera, folder))
            return true; // nothing can have been kept
    }
    if (::remove(fileOf(folder, preset).c_str()) != 0 && errno != ENOENT) {
        error = "cannot remove " + fileOf(folder, preset) + ": " + std::strerror(errno);
        return false;
    }
    const std::lock_guard<std::mutex> lock(mutex);
    auto &presets = cameras[folder];
    if (problem.empty())
        presets.erase(preset);
    else
        presets[preset] = Entry{0, problem};
    return true;
}
