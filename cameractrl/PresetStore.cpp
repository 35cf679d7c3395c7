// SPDX-License-Identifier: GPL-2.0-or-later
#include "PresetStore.h"

#include <sstream>

bool PresetStore::store(const std::string &camera, int number, const Position &position,
                        std::string &error)
{
    std::string value;
    for (const auto &axis : position)
        value += (value.empty() ? "" : "\t") + (axis ? std::to_string(*axis) : "-");
    file.put(camera, std::to_string(number), value);
    return file.save(error);
}

std::optional<PresetStore::Position> PresetStore::find(const std::string &camera, int number)
{
    const auto value = file.find(camera, std::to_string(number));
    if (!value)
        return std::nullopt;
    std::istringstream fields(*value);
    Position position;
    std::string axis;
    for (auto &slot : position) {
        if (!std::getline(fields, axis, '\t'))
            return std::nullopt; // a damaged line loses one preset
        if (axis == "-")
            continue;
        try {
            size_t used = 0;
            slot = std::stoll(axis, &used);
            if (used != axis.size())
                return std::nullopt;
        } catch (const std::exception &) {
            return std::nullopt;
        }
    }
    return position;
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
