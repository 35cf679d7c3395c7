// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimBackend.h"
#include "SimDevice.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char *simDir()
{
    const char *dir = std::getenv("CAMERACTRL_SIM_DIR");
    return dir && *dir ? dir : nullptr;
}

} // namespace

void SimBackend::initial()
{
    scan();
}

bool SimBackend::enumerate(std::vector<DeviceInfo> &devices)
{
    const bool ok = scan();
    devices = attached;
    return ok;
}

std::unique_ptr<BaseDevice> SimBackend::createDevice()
{
    return std::make_unique<SimDevice>(*this);
}

bool SimBackend::scan()
{
    scanned = true;
    attached.clear();
    const char *dir = simDir();
    if (!dir) {
        DeviceInfo builtin;
        builtin.name = SimCameraConfig::builtin().name;
        attached.push_back(builtin);
        return true;
    }

    std::error_code error;
    if (!fs::exists(dir, error))
        return true; // nothing plugged in
    std::vector<fs::path> files;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->path().extension() == ".cam" && it->is_regular_file(typeError))
            files.push_back(it->path());
    }
    if (error)
        return false;
    std::sort(files.begin(), files.end(),
              [](const fs::path &a, const fs::path &b) { return a.filename() < b.filename(); });

    for (const fs::path &file : files) {
        const auto config = SimCameraConfig::load(file.string());
        if (!config)
            continue; // unplugged while we looked
        DeviceInfo info;
        info.index = static_cast<int32_t>(attached.size());
        info.name = config->name;
        info.path = file.string();
        attached.push_back(info);
    }
    return true;
}

std::shared_ptr<SimCamera> SimBackend::open(int index, std::string &file)
{
    if (!scanned)
        scan();
    if (index < 0 || index >= static_cast<int>(attached.size()))
        return nullptr;
    const std::string &path = attached[index].path;
    file = path;
    const auto config = path.empty() ? SimCameraConfig::builtin() : SimCameraConfig::load(path);
    if (!config || !config->opens)
        return nullptr;
    std::shared_ptr<SimCamera> &camera = cameras[path];
    if (!camera || camera->config() != *config)
        camera = std::make_shared<SimCamera>(*config); // a different camera under that name
    return camera;
}
