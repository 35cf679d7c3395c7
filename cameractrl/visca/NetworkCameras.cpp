#include "NetworkCameras.h"
#include "AtomicFile.h"
#include "ViscaBackend.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> fileLines(const std::string &path)
{
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
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
    std::vector<std::string> kept;
    for (const std::string &old : fileLines(path))
        if (nameOf(old) != camera.info.name)
            kept.push_back(old);
    kept.push_back(camera.info.name + ", " + ViscaLink::name(camera.transport) + ", " +
                   camera.host + ", " + std::to_string(camera.port));
    return rewrite(path, kept, error);
}

bool NetworkCameras::remove(const std::string &name, std::string &error)
{
    const std::string path = configPath();
    std::vector<std::string> kept;
    const std::vector<std::string> lines = path.empty() ? kept : fileLines(path);
    for (const std::string &old : lines)
        if (nameOf(old) != name)
            kept.push_back(old);
    if (kept.size() == lines.size()) {
        error = "no network camera is called \"" + name + "\"";
        return false;
    }
    return rewrite(path, kept, error);
}
