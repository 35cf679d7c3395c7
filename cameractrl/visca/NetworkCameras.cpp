// SPDX-License-Identifier: GPL-2.0-or-later
#include "NetworkCameras.h"
#include "AtomicFile.h"
#include "ViscaBackend.h"

#include <sstream>
#include <vector>

namespace {

// The file's lines; false when it is too large to be edited without losing what is beyond.
bool fileLines(const std::string &path, std::vector<std::string> &lines, std::string &error)
{
    std::string text;
    if (!ViscaBackend::readConfig(path, text)) {
        error = path + " is larger than 64 KiB: edit it by hand";
        return false;
    }
    std::istringstream file(text);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return true;
}

// The name of the camera a line of the file describes; empty for comments and bad lines.
std::string nameOf(const std::string &line)
{
    std::vector<std::string> problems;
    const auto cameras = ViscaBackend::parse(line, {}, &problems);
    return cameras.size() == 1 ? cameras.front().info.name : std::string();
}

bool rewrite(const std::string &path, const std::vector<std::string> &lines, std::string &error)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    if (writeFileAtomically(path, text, error))
        return true;
    error = "cannot write " + path + ": " + error;
    return false;
}

} // namespace

std::string NetworkCameras::configPath()
{
    return ViscaBackend::configPath();
}

bool NetworkCameras::add(const std::string &line, std::string &error)
{
    // One camera, on one line of the file: what would split or end it there is refused.
    for (const char c : line)
        if (c == ';' || c == '#' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            error = c == ';' || c == '#'
                        ? std::string("a camera's line cannot hold \"") + c + "\""
                        : std::string("a camera's line cannot hold control characters");
            return false;
        }
    std::vector<std::string> problems;
    const auto cameras = ViscaBackend::parse(line, "camera", &problems);
    if (cameras.size() != 1) {
        error =
            !problems.empty() ? problems.front() : std::string("expected ") + ViscaBackend::Usage;
        return false;
    }
    const ViscaBackend::Camera &camera = cameras.front();
    const std::string path = configPath();
    if (path.empty()) {
        error = "no configuration directory: neither XDG_CONFIG_HOME nor HOME is set";
        return false;
    }
    std::vector<std::string> lines, kept;
    if (!fileLines(path, lines, error))
        return false;
    for (const std::string &old : lines)
        if (nameOf(old) != camera.info.name)
            kept.push_back(old);
    kept.push_back(camera.info.name + ", " + ViscaLink::name(camera.transport) + ", " +
                   camera.host + ", " + std::to_string(camera.port));
    return rewrite(path, kept, error);
}

bool NetworkCameras::remove(const std::string &name, std::string &error)
{
    const std::string path = configPath();
    std::vector<std::string> lines, kept;
    if (!path.empty() && !fileLines(path, lines, error))
        return false;
    for (const std::string &old : lines)
        if (nameOf(old) != name)
            kept.push_back(old);
    if (kept.size() == lines.size()) {
        error = "no network camera is called \"" + name + "\"";
        return false;
    }
    return rewrite(path, kept, error);
}
