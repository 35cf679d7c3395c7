// SPDX-License-Identifier: GPL-2.0-or-later
#include "PresetStore.h"
#include "Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

namespace {

std::optional<int64_t> number(const std::string &text, bool &ok)
{
    if (text == "-")
        return std::nullopt;
    const auto value = Numbers::whole(text);
    ok = ok && value;
    return value;
}

} // namespace

bool PresetStore::store(const std::string &camera, int number, const Position &position,
                        std::string &error)
{
    Entry kept = entry(camera, number).value_or(Entry{});
    kept.position = position;
    kept.stored = true;
    return put(camera, number, kept, error);
}

std::optional<PresetStore::Position> PresetStore::find(const std::string &camera, int number)
{
    const auto kept = entry(camera, number);
    if (!kept || !kept->stored)
        return std::nullopt;
    return kept->position;
}

// A line is "pan tilt zoom" ("-" for an axis not kept), then, since presets have names,
// "speed stored name"; the older three fields mean a stored preset without either.
std::optional<PresetStore::Entry> PresetStore::entry(const std::string &camera, int index)
{
    const auto value = file.find(camera, std::to_string(index));
    if (!value)
        return std::nullopt;
    std::istringstream fields(*value);
    Entry kept;
    kept.stored = true;
    std::string field;
    bool ok = true;
    for (auto &slot : kept.position) {
        if (!std::getline(fields, field, '\t'))
            return std::nullopt; // a damaged line loses one preset
        slot = number(field, ok);
    }
    if (std::getline(fields, field, '\t')) {
        kept.speed = int(number(field, ok).value_or(0));
        if (!std::getline(fields, field, '\t') || (field != "0" && field != "1"))
            return std::nullopt;
        kept.stored = field == "1";
        std::getline(fields, kept.name); // the rest of the line: names hold no tabs
    }
    if (!ok)
        return std::nullopt;
    return kept;
}

bool PresetStore::put(const std::string &camera, int number, const Entry &kept, std::string &error)
{
    std::string value;
    for (const auto &axis : kept.position)
        value += (value.empty() ? "" : "\t") + (axis ? std::to_string(*axis) : "-");
    std::string name = kept.name;
    std::replace(name.begin(), name.end(), '\t', ' ');
    if (kept.speed || !kept.stored || !name.empty())
        value += "\t" + std::to_string(kept.speed) + (kept.stored ? "\t1\t" : "\t0\t") + name;
    file.put(camera, std::to_string(number), value);
    return file.save(error);
}

PresetRecord PresetStore::record(const std::optional<Entry> &kept, int64_t perUnit)
{
    PresetRecord r;
    if (!kept)
        return r;
    r.stored = kept->stored ? 1 : 0;
    r.speed = kept->speed;
    std::strncpy(r.name, kept->name.c_str(), sizeof r.name - 1);
    const auto inUnits = [](int64_t value, int64_t per) {
        return int32_t(
            std::clamp<int64_t>(std::llround(double(value) / double(per)), INT32_MIN, INT32_MAX));
    };
    int32_t *const slots[] = {&r.pan, &r.tilt, &r.zoom};
    const int32_t bits[] = {PRESET_PAN, PRESET_TILT, PRESET_ZOOM};
    for (int axis = 0; axis < 3; ++axis)
        if (kept->position[axis]) {
            *slots[axis] = inUnits(*kept->position[axis], axis < 2 ? perUnit : 1);
            r.known |= bits[axis];
        }
    return r;
}

PresetStore::Entry PresetStore::entryOf(const PresetRecord &r, int64_t perUnit)
{
    Entry kept;
    kept.stored = r.stored != 0;
    kept.speed = r.speed;
    kept.name.assign(r.name, strnlen(r.name, sizeof r.name));
    const int32_t values[] = {r.pan, r.tilt, r.zoom};
    const int32_t bits[] = {PRESET_PAN, PRESET_TILT, PRESET_ZOOM};
    for (int axis = 0; axis < 3; ++axis)
        if (r.known & bits[axis])
            kept.position[axis] = int64_t(values[axis]) * (axis < 2 ? perUnit : 1);
    return kept;
}

bool PresetStore::erase(const std::string &camera, int number, std::string &error)
{
    file.erase(camera, std::to_string(number));
    return file.save(error);
}

bool PresetStore::adopt(const std::string &camera, const std::string &olderName, std::string &error)
{
    file.adopt(camera, olderName);
    return file.save(error);
}
