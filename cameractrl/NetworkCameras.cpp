// SPDX-License-Identifier: GPL-2.0-or-later
#include "NetworkCameras.h"
#include "AtomicFile.h"
#include "CameraStore.h"
#include "NetworkCameraFile.h"
#include "Numbers.h"
#include "OnvifDiscovery.h"
#include "OnvifModule.h"
#include "ViscaDiscovery.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The file's lines; false when it is too large to be edited without losing what is beyond.
bool fileLines(const std::string &path, std::vector<std::string> &lines, std::string &error)
{
    std::string text;
    if (!NetworkCameraFile::read(path, text)) {
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
    const auto cameras = NetworkCameraFile::parse(line, {}, &problems);
    return cameras.size() == 1 ? cameras.front().info.name : std::string();
}

// The first field of a line of the credentials file.
std::string credentialName(const std::string &line)
{
    const auto records = NetworkCameraFile::records(line);
    return records.size() == 1 ? records.front().front() : std::string();
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

// Reads the credentials file as its owner wrote it, or says why not.
bool readCredentials(std::string &text, std::string &error)
{
    const std::string path = NetworkCameras::credentialsPath();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        error = errno == ENOENT ? std::string() : path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info = {};
    const bool fstatOk = ::fstat(fd, &info) == 0;
    ::close(fd);
    if (!fstatOk || !S_ISREG(info.st_mode) || info.st_uid != ::getuid() || (info.st_mode & 0077)) {
        error = path + " is ignored: it must be a file of your own with mode 0600";
        return false;
    }
    if (!NetworkCameraFile::read(path, text)) {
        error = path + " is larger than 64 KiB";
        return false;
    }
    return true;
}

bool editCredentials(const std::string &name, const std::string *password, const std::string &user,
                     std::string &error)
{
    const std::string path = NetworkCameras::credentialsPath();
    std::vector<std::string> lines, kept;
    std::string text;
    if (readCredentials(text, error)) {
        std::istringstream file(text);
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
    } else if (!error.empty()) {
        return false;
    }
    for (const std::string &old : lines)
        if (credentialName(old) != name)
            kept.push_back(old);
    if (password)
        kept.push_back(NetworkCameraFile::quoted(name) + ", " + NetworkCameraFile::quoted(user) +
                       ", " + NetworkCameraFile::quoted(*password));
    else if (kept.size() == lines.size())
        return true;
    // Written through a temporary made with mode 0600, and so left.
    return rewrite(path, kept, error);
}

} // namespace

std::string NetworkCameras::configPath()
{
    return NetworkCameraFile::configPath();
}

std::string NetworkCameras::credentialsPath()
{
    const std::string dir = CameraStore::directory();
    return dir.empty() ? std::string() : dir + "/credentials";
}

bool NetworkCameras::needsPassword(const std::string &line)
{
    std::vector<std::string> problems;
    const auto cameras = NetworkCameraFile::parse(line, {}, &problems);
    return cameras.size() == 1 && !cameras.front().user.empty();
}

bool NetworkCameras::add(const std::string &line, std::string &error)
{
    if (needsPassword(line)) {
        error = "a camera that signs in needs its password";
        return false;
    }
    return add(line, std::string(), error);
}

bool NetworkCameras::add(const std::string &line, const std::string &password, std::string &error)
{
    // One camera, on one line of the file: what would end it there is refused.
    for (const char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            error = "a camera's line cannot hold control characters";
            return false;
        }
    if (NetworkCameraFile::records(line).size() > 1) {
        error = "a camera's line cannot hold \";\" outside quotes";
        return false;
    }
    std::vector<std::string> problems;
    const auto cameras = NetworkCameraFile::parse(line, "camera", &problems);
    if (cameras.size() != 1) {
        error = !problems.empty() ? problems.front()
                                  : std::string("expected ") + NetworkCameraFile::Usage;
        return false;
    }
    const NetworkCamera &camera = cameras.front();
    const std::string from = configPath(), path = NetworkCameraFile::writePath();
    if (path.empty()) {
        error = "no configuration directory: neither XDG_CONFIG_HOME nor HOME is set";
        return false;
    }
    std::vector<std::string> lines, kept;
    if (!fileLines(from, lines, error))
        return false;
    for (const std::string &old : lines)
        if (nameOf(old) != camera.info.name)
            kept.push_back(old);
    kept.push_back(NetworkCameraFile::line(camera));
    // The password first: a camera listed without it would be refused at once.
    const bool signsIn = !camera.user.empty();
    return editCredentials(camera.info.name, signsIn ? &password : nullptr, camera.user, error) &&
           rewrite(path, kept, error);
}

bool NetworkCameras::remove(const std::string &name, std::string &error)
{
    const std::string from = configPath(), path = NetworkCameraFile::writePath();
    std::vector<std::string> lines, kept;
    if (!from.empty() && !fileLines(from, lines, error))
        return false;
    for (const std::string &old : lines)
        if (nameOf(old) != name)
            kept.push_back(old);
    if (kept.size() == lines.size()) {
        error = "no network camera is called \"" + name + "\"";
        return false;
    }
    return rewrite(path, kept, error) && editCredentials(name, nullptr, {}, error);
}

bool NetworkCameras::password(const std::string &name, const std::string &user,
                              std::string &password, std::string &error)
{
    std::string text;
    if (!readCredentials(text, error))
        return false;
    for (const auto &fields : NetworkCameraFile::records(text))
        if (fields.size() == 3 && fields[0] == name && fields[1] == user) {
            password = fields[2];
            return true;
        }
    error.clear();
    return false;
}

bool NetworkCameras::discover(const std::string &where, double seconds,
                              std::vector<Discovered> &found, std::string &error)
{
    using Clock = ViscaDiscovery::Clock;
    seconds = std::clamp(seconds, 0.1, 4.0);
    const auto until = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
    std::vector<std::string> interfaces;
    for (const auto &fields : NetworkCameraFile::records(where))
        interfaces = fields;
    const bool local = where.empty() || ViscaDiscovery::interfaces(interfaces);
    if (where.empty())
        interfaces.clear();
    // HOST, HOST:PORT, [IPv6]:PORT or a bare IPv6 address.
    std::string host = local ? std::string() : where;
    std::optional<int> port;
    const auto colon = host.rfind(':');
    const auto bracket = host.find(']');
    if (colon != std::string::npos &&
        (host.find(':') == colon || (bracket != std::string::npos && colon == bracket + 1))) {
        const auto number = Numbers::whole(host.substr(colon + 1));
        if (!number || *number < 1 || *number > 65535) {
            error = "the port must be a number from 1 to 65535";
            return false;
        }
        port = int(*number);
        host = bracket != std::string::npos ? host.substr(1, bracket - 1) : host.substr(0, colon);
    }
    std::vector<ViscaDiscovery::Subnet> subnets;
    if (local && !ViscaDiscovery::subnets(interfaces, subnets, error))
        return false;

    // ONVIF's probe on a thread of its own, so that both wait the same time at once.
    std::vector<Discovered> onvif;
    std::string onvifError;
    bool onvifSent = false;
    std::thread probing;
    if (OnvifWire *wire = OnvifModule::wire(onvifError)) {
        std::vector<uint32_t> via;
        if (!interfaces.empty())
            for (const ViscaDiscovery::Subnet &s : subnets)
                via.push_back(s.address);
        probing = std::thread([&, wire, via] {
            onvifSent = OnvifDiscovery::probe(*wire, host, port.value_or(OnvifDiscovery::Port),
                                              seconds, onvif, onvifError, via);
        });
    }
    std::string viscaError;
    const bool viscaSent = local ? ViscaDiscovery::broadcast(subnets, ViscaDiscovery::SetupPort,
                                                             until, found, viscaError)
                                 : ViscaDiscovery::probe(host, port, until, found, viscaError);
    if (probing.joinable())
        probing.join();
    for (Discovered &camera : onvif)
        if (std::none_of(found.begin(), found.end(), [&](const Discovered &f) {
                return f.address == camera.address && f.port == camera.port;
            }))
            found.push_back(std::move(camera));
    if (!viscaSent && !onvifSent) {
        error = !viscaError.empty() ? viscaError : onvifError;
        return false;
    }
    return true;
}
