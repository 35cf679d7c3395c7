// SPDX-License-Identifier: GPL-2.0-or-later
#include "NetworkCameraFile.h"
#include "CameraStore.h"
#include "Numbers.h"
#include "Report.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

std::string trimmed(const std::string &s)
{
    const char *space = " \t\r\n";
    const auto first = s.find_first_not_of(space);
    return first == std::string::npos ? std::string()
                                      : s.substr(first, s.find_last_not_of(space) - first + 1);
}

bool supportedBaud(long rate)
{
    return rate == 9600 || rate == 19200 || rate == 38400 || rate == 57600 || rate == 115200;
}

bool startsWith(const std::string &text, const char *prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// The options after a camera's address: false, with why, for one that cannot be used.
bool takeView(const std::string &field, NetworkCamera &camera, std::string &why)
{
    const bool snapshot = startsWith(field, "snapshot=");
    std::string &into = snapshot ? camera.snapshot : camera.stream;
    const std::string url = field.substr(field.find('=') + 1);
    const char *const schemes[] = {"http://", "https://", "rtsp://", "rtsps://", "rtspt://"};
    const auto begins = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            if (startsWith(url, schemes[i]))
                return true;
        return false;
    };
    if (!into.empty())
        why = snapshot ? "snapshot= is given twice" : "stream= is given twice";
    else if (snapshot ? !begins(0, 2) : !begins(0, 5))
        why = snapshot ? "snapshot= takes an http:// or https:// URL"
                       : "stream= takes an rtsp://, rtsps://, rtspt://, http:// or https:// URL";
    else
        into = url;
    return why.empty();
}

} // namespace

std::mutex NetworkCameraFile::oversizeMutex;
std::string NetworkCameraFile::oversizeSaid;

std::vector<std::vector<std::string>> NetworkCameraFile::records(const std::string &text)
{
    std::vector<std::vector<std::string>> out;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false, wasQuoted = false, comment = false;
    const auto endField = [&] {
        fields.push_back(wasQuoted ? field : trimmed(field));
        field.clear();
        wasQuoted = false;
    };
    const auto endLine = [&] {
        endField();
        if (fields.size() > 1 || !fields.front().empty())
            out.push_back(fields);
        fields.clear();
        comment = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == '\n' || c == ';') {
            endLine();
        } else if (comment) {
            continue;
        } else if (c == '#') {
            comment = true;
        } else if (c == ',') {
            endField();
        } else if (c == '"' && trimmed(field).empty()) {
            // Spaces before the quote are no part of the field, and neither are those after.
            field.clear();
            quoted = wasQuoted = true;
        } else if (!wasQuoted || (c != ' ' && c != '\t' && c != '\r')) {
            field += c;
        }
    }
    endLine();
    return out;
}

std::string NetworkCameraFile::quoted(const std::string &field)
{
    if (!field.empty() && field.find_first_of(",;#\"") == std::string::npos &&
        trimmed(field) == field)
        return field;
    std::string out = "\"";
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

const char *NetworkCameraFile::kindName(NetworkCamera::Kind kind)
{
    switch (kind) {
    case NetworkCamera::Udp:
        return "udp";
    case NetworkCamera::Tcp:
        return "tcp";
    case NetworkCamera::Serial:
        return "serial";
    case NetworkCamera::Onvif:
        return "onvif";
    }
    return "";
}

std::string NetworkCameraFile::line(const NetworkCamera &camera)
{
    std::string text = quoted(camera.info.name) + ", " + kindName(camera.kind) + ", " +
                       quoted(camera.host) + ", " + std::to_string(camera.port);
    if (!camera.user.empty())
        text += ", " + quoted(camera.user);
    if (!camera.snapshot.empty())
        text += ", " + quoted("snapshot=" + camera.snapshot);
    if (!camera.stream.empty())
        text += ", " + quoted("stream=" + camera.stream);
    return text;
}

std::vector<NetworkCamera> NetworkCameraFile::parse(const std::string &text,
                                                    const std::string &origin,
                                                    std::vector<std::string> *problems)
{
    std::vector<NetworkCamera> found;
    int number = 0;
    for (std::vector<std::string> fields : records(text)) {
        ++number;
        const auto complain = [&](const std::string &why) {
            if (problems)
                problems->push_back(why);
            else
                reportOnce(origin + ":" + std::to_string(number) + ": " + why + ", line ignored");
        };
        NetworkCamera camera;
        std::string why;
        const auto option = [](const std::string &f) {
            return startsWith(f, "snapshot=") || startsWith(f, "stream=");
        };
        for (size_t i = 3; i < fields.size() && why.empty(); ++i)
            if (option(fields[i]))
                takeView(fields[i], camera, why);
        if (!why.empty()) {
            complain(why);
            continue;
        }
        fields.erase(std::remove_if(fields.begin() + std::min<size_t>(fields.size(), 3),
                                    fields.end(), option),
                     fields.end());
        const bool onvif = fields.size() > 1 && fields[1] == "onvif";
        if (fields.size() < 3 || fields.size() > (onvif ? 5 : 4) || fields[0].empty() ||
            fields[2].empty()) {
            complain(std::string("expected ") + Usage);
            continue;
        }
        if (fields[1] == "udp") {
            camera.kind = NetworkCamera::Udp;
            camera.port = 52381;
        } else if (fields[1] == "tcp") {
            camera.kind = NetworkCamera::Tcp;
            camera.port = 5678;
        } else if (fields[1] == "serial") {
            camera.kind = NetworkCamera::Serial;
            camera.port = 9600;
        } else if (onvif) {
            camera.kind = NetworkCamera::Onvif;
            camera.port = 80;
        } else {
            complain("the transport must be udp, tcp, serial or onvif");
            continue;
        }
        if (fields.size() >= 4) {
            const long long value = Numbers::whole(fields[3]).value_or(0);
            const bool serial = camera.kind == NetworkCamera::Serial;
            if (serial ? !supportedBaud(long(value)) : value < 1 || value > 65535) {
                complain(serial ? "the rate must be 9600, 19200, 38400, 57600 or 115200"
                                : "the port must be a number from 1 to 65535");
                continue;
            }
            camera.port = int(value);
        }
        if (fields.size() == 5)
            camera.user = fields[4];
        camera.host = fields[2];
        camera.info.name = fields[0];
        camera.info.path = (onvif ? std::string("onvif") : std::string("visca-") + fields[1]) +
                           "://" + (camera.user.empty() ? "" : camera.user + "@") + camera.host +
                           ":" + std::to_string(camera.port);
        found.push_back(camera);
    }
    return found;
}

std::string NetworkCameraFile::writePath()
{
    const std::string dir = CameraStore::directory();
    return dir.empty() ? std::string() : dir + "/cameras";
}

std::string NetworkCameraFile::configPath()
{
    const std::string path = writePath();
    if (path.empty())
        return path;
    std::error_code ignored;
    const std::string old = CameraStore::directory() + "/visca";
    return !std::filesystem::exists(path, ignored) && std::filesystem::exists(old, ignored) ? old
                                                                                            : path;
}

bool NetworkCameraFile::read(const std::string &path, std::string &text)
{
    std::ifstream file(path, std::ios::binary);
    text.assign(MaxFileBytes + 1, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    text.resize(file ? text.size() : size_t(std::max<std::streamsize>(file.gcount(), 0)));
    if (text.size() <= MaxFileBytes)
        return true;
    // Half a line could name another host: what was cut off is not read at all.
    text.resize(MaxFileBytes);
    const auto end = text.rfind('\n');
    text.resize(end == std::string::npos ? 0 : end + 1);
    return false;
}

std::vector<NetworkCamera> NetworkCameraFile::configured()
{
    std::vector<NetworkCamera> cameras;
    const std::string path = configPath();
    if (!path.empty()) {
        std::string text;
        if (!read(path, text)) {
            // Said once for each version of the file, not at every enumeration.
            std::error_code ignored;
            const auto written = std::filesystem::last_write_time(path, ignored);
            const std::string version = std::to_string(std::filesystem::file_size(path, ignored)) +
                                        "@" + std::to_string(written.time_since_epoch().count());
            const std::lock_guard<std::mutex> lock(oversizeMutex);
            if (version != oversizeSaid)
                report(path + " is larger than 64 KiB: only the cameras of its first 64 KiB are "
                              "listed");
            oversizeSaid = version;
        }
        cameras = parse(text, path);
    }
    if (const char *env = std::getenv("CAMERACTRL_VISCA")) {
        const auto more = parse(env, "CAMERACTRL_VISCA");
        cameras.insert(cameras.end(), more.begin(), more.end());
    }
    return cameras;
}
