// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimCameraConfig.h"
#include "Report.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace {

// Generous for a file of a dozen short lines, small enough that a stray huge file is harmless.
constexpr std::streamsize MaxFileBytes = 64 * 1024;

struct RecordKey
{
    const char *key;
    int index;
};

constexpr RecordKey recordKeys[] = {
    {"brightness", PARAM_BRIGHTNESS},
    {"contrast", PARAM_CONTRAST},
    {"hue", PARAM_HUE},
    {"saturation", PARAM_SATURATION},
    {"sharpness", PARAM_SHARPNESS},
    {"gamma", PARAM_GAMMA},
    {"backlight", PARAM_BACKLIGHT},
    {"whitebalance", PARAM_WHITE_BALANCE},
    {"whitebalanceauto", PARAM_WHITE_BALANCE_AUTO},
    {"flicker", PARAM_FLICKER},
};

struct Feature
{
    const char *name;
    uint32_t capability;
};

constexpr Feature features[] = {
    {"pantilt", CAP_PAN_TILT},
    {"zoom", CAP_ZOOM},
    {"position", CAP_POSITION},
    {"presets", CAP_PRESETS},
    {"home", CAP_HOME},
    {"ptzreset", CAP_PTZ_RESET},
    {"flip", CAP_FLIP},
    {"mirror", CAP_MIRROR},
    {"ir", CAP_IR},
    {"daynight", CAP_DAY_NIGHT},
    {"menu", CAP_MENU},
    {"framing", CAP_FRAMING},
    {"imagedefaults", CAP_IMAGE_DEFAULTS},
    {"whitebalanceauto", CAP_WHITE_BALANCE_AUTO},
    {"flicker", CAP_FLICKER},
    {"tally", CAP_TALLY},
    {"zoomposition", CAP_ZOOM_POSITION},
    {"pantiltmove", CAP_PAN_TILT_MOVE},
    {"picture", CAP_PICTURE},
    {"liveview", CAP_LIVE_VIEW},
};

std::string trimmed(const std::string &s)
{
    const char *space = " \t\r\n\f\v";
    const auto first = s.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(space) - first + 1);
}

bool parseInt(const std::string &text, int32_t &value)
{
    const std::string t = trimmed(text);
    if (t.empty())
        return false;
    const char *begin = t.data();
    if (*begin == '+') // from_chars takes no plus sign; a file may well have one
        ++begin;
    const char *end = t.data() + t.size();
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool parseRecord(const std::string &text, ParameterRecord &record)
{
    int32_t fields[6];
    std::istringstream in(text);
    std::string field;
    int count = 0;
    while (std::getline(in, field, ',')) {
        if (count == 6 || !parseInt(field, fields[count]))
            return false;
        ++count;
    }
    if (count != 6 || (!text.empty() && text.back() == ','))
        return false;
    record = {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    return true;
}

} // namespace

SimCameraConfig SimCameraConfig::builtin()
{
    SimCameraConfig config;
    config.name = "Simulated PTZ camera";
    auto &r = config.records;
    //                     min   max  step   def   cur avail
    r[PARAM_BRIGHTNESS] = {0, 255, 1, 128, 128, 1};
    r[PARAM_CONTRAST] = {0, 255, 1, 128, 128, 1};
    r[PARAM_HUE] = {-180, 180, 1, 0, 0, 1};
    r[PARAM_SATURATION] = {0, 255, 1, 128, 128, 1};
    r[PARAM_SHARPNESS] = {0, 15, 1, 6, 6, 1};
    r[PARAM_GAMMA] = {100, 500, 1, 300, 300, 1};
    r[PARAM_BACKLIGHT] = {0, 2, 1, 1, 1, 1};
    r[PARAM_WHITE_BALANCE] = {2800, 6500, 10, 4600, 4600, 1};
    r[PARAM_WHITE_BALANCE_AUTO] = {0, 1, 1, 1, 0, 1};
    r[PARAM_FLICKER] = {0, 3, 1, 1, 1, 1};
    return config;
}

SimCameraConfig SimCameraConfig::parse(const std::string &text, const std::string &origin,
                                       const std::string &defaultName)
{
    SimCameraConfig config = builtin();
    config.name = defaultName;

    std::istringstream in(text);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#')
            continue;
        const auto complain = [&](const char *why) {
            reportOnce(origin + ":" + std::to_string(lineNumber) + ": " + why + ", line ignored");
        };
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            complain("expected key=value");
            continue;
        }
        const std::string key = trimmed(line.substr(0, eq));
        const std::string value = trimmed(line.substr(eq + 1));
        if (key == "name") {
            config.name = value;
        } else if (key == "open") {
            if (value == "ok" || value == "fail")
                config.opens = value == "ok";
            else
                complain("open must be ok or fail");
        } else if (key == "presets") {
            if (value == "camera" || value == "library")
                config.keepsPresets = value == "camera";
            else
                complain("presets must be camera or library");
        } else if (key == "health") {
            const char *const states[] = {"answering", "slow", "silent", "refused", "busy"};
            const auto *found = std::find(std::begin(states), std::end(states), value);
            if (found != std::end(states))
                config.health = int32_t(found - std::begin(states));
            else
                complain("health must be answering, slow, silent, refused or busy");
        } else if (key == "lacks") {
            config.lacks = 0;
            std::istringstream names(value);
            std::string name;
            while (std::getline(names, name, ',')) {
                name = trimmed(name);
                const auto *found = std::find_if(std::begin(features), std::end(features),
                                                 [&](const Feature &f) { return name == f.name; });
                if (found != std::end(features))
                    config.lacks |= found->capability;
                else if (!name.empty())
                    complain("unknown feature in lacks");
            }
        } else {
            const RecordKey *found = nullptr;
            for (const RecordKey &k : recordKeys)
                if (key == k.key)
                    found = &k;
            if (!found)
                complain("unknown key");
            else if (!parseRecord(value, config.records[found->index]))
                complain("expected minimum,maximum,step,default,current,available as integers");
        }
    }
    return config;
}

std::optional<SimCameraConfig> SimCameraConfig::load(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text(MaxFileBytes + 1, '\0');
    file.read(text.data(), MaxFileBytes + 1);
    if (file.bad())
        return std::nullopt;
    text.resize(static_cast<size_t>(file.gcount()));
    if (text.size() > static_cast<size_t>(MaxFileBytes)) {
        reportOnce(path + ": larger than 64 KiB, only the start is read");
        text.resize(MaxFileBytes);
    }
    return parse(text, path, std::filesystem::path(path).stem().string());
}

bool SimCameraConfig::operator==(const SimCameraConfig &other) const
{
    if (name != other.name || opens != other.opens || lacks != other.lacks ||
        keepsPresets != other.keepsPresets || health != other.health)
        return false;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const ParameterRecord &a = records[i], &b = other.records[i];
        if (a.minimum != b.minimum || a.maximum != b.maximum || a.step != b.step ||
            a.defaultValue != b.defaultValue || a.currentValue != b.currentValue ||
            a.available != b.available)
            return false;
    }
    return true;
}
