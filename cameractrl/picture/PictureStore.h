// SPDX-License-Identifier: GPL-2.0-or-later
// The presets' pictures, per camera, beside the presets: one JPEG per stored preset under
// $XDG_CONFIG_HOME/ptz-panel/pictures/CAMERA/N.jpg, written atomically. A camera's folder is
// looked through on first use: a picture that is no whole JPEG, or larger than a kept one can
// be, is dropped there and said once. Why a preset has no picture lives as long as the
// process. Thread-safe; only writing waits for other writers.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class PictureStore
{
public:
    // The one store of the process (never destroyed: pictures may be kept while it exits).
    static PictureStore &shared();

    struct Kept
    {
        std::vector<uint8_t> jpeg; // empty: none
        uint32_t version = 0;      // 0: none
        std::string problem;       // why there is none, when taking it failed
    };
    // `camera`: the key its backend keeps its presets under, with the kind of camera first.
    // `withBytes` false: the version and the problem only, without reading the file.
    Kept read(const std::string &camera, int preset, bool withBytes);
    // Keeps a picture already made small; false, with why, when it cannot be written.
    bool write(const std::string &camera, int preset, const std::vector<uint8_t> &jpeg,
               std::string &error);
    // Drops the picture; `problem`: why there is none now (empty: nobody asked for one).
    bool drop(const std::string &camera, int preset, const std::string &problem,
              std::string &error);

    // A file larger than this was not written here.
    static constexpr size_t MaxStored = 256 * 1024;

private:
    PictureStore() = default;

    struct Entry
    {
        uint32_t version = 0;
        std::string problem;
    };
    // Under the lock; "" without a configuration directory.
    std::map<int, Entry> *presetsLocked(const std::string &camera, std::string &folder);
    static std::string folderOf(const std::string &camera);
    static std::string fileOf(const std::string &folder, int preset);
    // A file that is no picture of ours is removed and said.
    static bool readFile(const std::string &path, std::vector<uint8_t> &jpeg);

    std::mutex mutex;   // the index below
    std::mutex writing; // one writer at a time, so the index follows the files
    std::map<std::string, std::map<int, Entry>> cameras; // by folder
};
