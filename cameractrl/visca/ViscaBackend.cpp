// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaBackend.h"
#include "CameraStore.h"
#include "Report.h"
#include "ViscaDevice.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string trimmed(const std::string &s)
{
    const char *space = " \t\r\n";
    const auto first = s.find_first_not_of(space);
    return first == std::string::npos ? std::string()
                                      : s.substr(first, s.find_last_not_of(space) - first + 1);
}

} // namespace

std::string ViscaBackend::configPath()
{
    const std::string dir = CameraStore::directory();
    return dir.empty() ? std::string() : dir + "/visca";
}

bool ViscaBackend::readConfig(const std::string &path, std::string &text)
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

std::vector<ViscaBackend::Camera> ViscaBackend::parse(const std::string &text,
                                                      const std::string &origin,
                                                      std::vector<std::string> *problems)
{
    std::vector<Camera> found;
    std::string normalized = text;
    std::replace(normalized.begin(), normalized.end(), ';', '\n');
    std::istringstream lines(normalized);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const auto comment = line.find('#');
        line = trimmed(comment == std::string::npos ? line : line.substr(0, comment));
        if (line.empty())
            continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, ',');)
            fields.push_back(trimmed(field));
        const auto complain = [&](const std::string &why) {
            if (problems)
                problems->push_back(why);
            else
                reportOnce(origin + ":" + std::to_string(number) + ": " + why + ", line ignored");
        };
        if (fields.size() < 3 || fields.size() > 4 || fields[0].empty() || fields[2].empty()) {
            complain(std::string("expected ") + Usage);
            continue;
        }
        Camera camera;
        if (fields[1] == "udp") {
            camera.transport = ViscaLink::Udp;
            camera.port = 52381;
        } else if (fields[1] == "tcp") {
            camera.transport = ViscaLink::Tcp;
            camera.port = 5678;
        } else if (fields[1] == "serial") {
            camera.transport = ViscaLink::Serial;
            camera.port = 9600;
        } else {
            complain("the transport must be udp, tcp or serial");
            continue;
        }
        if (fields.size() == 4) {
            char *end = nullptr;
            const long number = std::strtol(fields[3].c_str(), &end, 10);
            const bool serial = camera.transport == ViscaLink::Serial;
            if (fields[3].empty() || *end ||
                (serial ? !ViscaLink::supportedBaud(number) : number < 1 || number > 65535)) {
                complain(serial ? "the rate must be 9600, 19200, 38400, 57600 or 115200"
                                : "the port must be a number from 1 to 65535");
                continue;
            }
            camera.port = int(number);
        }
        camera.host = fields[2];
        camera.info.name = fields[0];
        camera.info.path = std::string("visca-") + fields[1] + "://" + camera.host + ":" +
                           std::to_string(camera.port);
        found.push_back(camera);
    }
    return found;
}

std::vector<ViscaCamera> ViscaBackend::scan()
{
    std::vector<Camera> cameras;
    const std::string path = configPath();
    if (!path.empty()) {
        std::string text;
        if (!readConfig(path, text)) {
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

std::unique_ptr<BaseDevice> ViscaBackend::createDevice()
{
    return std::make_unique<ViscaDevice>(*this);
}

void ViscaBackend::retire(std::unique_ptr<ViscaWorker> worker)
{
    retired.add(std::move(worker));
}
