// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimCamera.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr int minimumOf[] = {-SimCamera::PanLimit, SimCamera::TiltMin, 0};
constexpr int maximumOf[] = {SimCamera::PanLimit, SimCamera::TiltMax, SimCamera::ZoomMax};
// Units per second for each step of speed: pan 24 turns at 24 degrees a second.
constexpr int unitsPerSpeed[] = {10, 10, 50};
// What Reset restores; the white-balance mode and anti-flicker stay.
constexpr int imageRecords[] = {PARAM_BRIGHTNESS, PARAM_CONTRAST,     PARAM_HUE,
                                PARAM_SATURATION, PARAM_SHARPNESS,    PARAM_GAMMA,
                                PARAM_BACKLIGHT,  PARAM_WHITE_BALANCE};

int clampToAxis(int axis, long long value)
{
    return static_cast<int>(std::clamp<long long>(value, minimumOf[axis], maximumOf[axis]));
}

bool same(const ParameterRecord &a, const ParameterRecord &b)
{
    return a.minimum == b.minimum && a.maximum == b.maximum && a.step == b.step &&
           a.defaultValue == b.defaultValue && a.currentValue == b.currentValue &&
           a.available == b.available;
}

} // namespace

namespace {

// One for all simulated cameras, as the USB backend has one for all its cameras.
PresetStore &libraryPresets()
{
    static PresetStore store;
    return store;
}

} // namespace

SimCamera::SimCamera(const SimCameraConfig &config) : origin(config)
{
    std::copy(std::begin(config.records), std::end(config.records), std::begin(values));
}

SimCameraConfig SimCamera::config() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return origin;
}

void SimCamera::copyRecords(ParameterRecord *records) const
{
    const std::lock_guard<std::mutex> lock(mutex);
    std::copy(std::begin(values), std::end(values), records);
    const int32_t positions = (origin.lacks & CAP_POSITION) ? 0 : 1;
    for (const auto &[axis, index] :
         {std::pair{Pan, PARAM_PAN_POSITION}, {Tilt, PARAM_TILT_POSITION}})
        records[index] = {minimumOf[axis], maximumOf[axis], 1, 0, positionLocked(axis), positions};
    const int32_t zooms = (origin.lacks & (CAP_ZOOM | CAP_ZOOM_POSITION)) ? 0 : 1;
    records[PARAM_ZOOM_POSITION] = {0, ZoomMax, 1, 0, positionLocked(Zoom), zooms};
}

bool SimCamera::reaches(Axis axis, long long position)
{
    return position >= minimumOf[axis] && position <= maximumOf[axis];
}

int SimCamera::record(int index) const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return values[index].currentValue;
}

uint32_t SimCamera::lacks() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return origin.lacks;
}

int32_t SimCamera::health() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return origin.health;
}

void SimCamera::setImage(int index, int value)
{
    const std::lock_guard<std::mutex> lock(mutex);
    ParameterRecord &r = values[index];
    if (r.minimum <= r.maximum)
        value = std::clamp(value, r.minimum, r.maximum);
    r.currentValue = value;
}

void SimCamera::restoreImageDefaults()
{
    const std::lock_guard<std::mutex> lock(mutex);
    for (int index : imageRecords)
        values[index].currentValue = values[index].defaultValue;
}

uint32_t SimCamera::applyEdit(const SimCameraConfig &edited)
{
    const std::lock_guard<std::mutex> lock(mutex);
    uint32_t changes = 0;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        // A record the file did not change keeps what the panel set meanwhile.
        if (same(edited.records[i], origin.records[i]))
            continue;
        values[i] = edited.records[i];
        changes |= CHANGED_PARAMETERS;
    }
    if (edited.lacks != origin.lacks)
        changes |= CHANGED_CAPABILITIES;
    if (edited.health != origin.health) // what it answers to comes and goes with it
        changes |= CHANGED_HEALTH | CHANGED_CAPABILITIES;
    origin = edited;
    return changes;
}

void SimCamera::startMotion(Axis axis, int direction, int speed)
{
    const std::lock_guard<std::mutex> lock(mutex);
    settle(axis);
    motion[axis].unitsPerSecond = direction * std::max(speed, 0) * unitsPerSpeed[axis];
}

void SimCamera::stopMotion(Axis axis, int direction)
{
    const std::lock_guard<std::mutex> lock(mutex);
    const int v = motion[axis].unitsPerSecond;
    if ((direction < 0 && v < 0) || (direction > 0 && v > 0)) {
        settle(axis);
        motion[axis].unitsPerSecond = 0;
    }
}

int SimCamera::position(Axis axis) const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return positionLocked(axis);
}

bool SimCamera::moving() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return std::any_of(motion.begin(), motion.end(),
                       [](const Motion &m) { return m.unitsPerSecond != 0; });
}

int SimCamera::positionLocked(Axis axis) const
{
    const Motion &m = motion[axis];
    if (m.unitsPerSecond == 0)
        return m.from;
    const double seconds = std::chrono::duration<double>(Clock::now() - m.since).count();
    return clampToAxis(axis, m.from + std::llround(seconds * m.unitsPerSecond));
}

void SimCamera::setPosition(Axis axis, int position)
{
    const std::lock_guard<std::mutex> lock(mutex);
    setPositionLocked(axis, position);
}

void SimCamera::setPositionLocked(Axis axis, int position)
{
    motion[axis] = Motion{clampToAxis(axis, position), 0, Clock::now()};
}

void SimCamera::settle(Axis axis)
{
    motion[axis].from = positionLocked(axis);
    motion[axis].since = Clock::now();
}

bool SimCamera::storePreset(uint8_t number, std::string &error)
{
    const std::lock_guard<std::mutex> lock(mutex);
    const std::array<int, AxisCount> here = {positionLocked(Pan), positionLocked(Tilt),
                                             positionLocked(Zoom)};
    if (origin.keepsPresets) {
        PresetStore::Entry &kept = presets[number];
        kept.position = {here[Pan], here[Tilt], here[Zoom]};
        kept.stored = true;
        return true;
    }
    return libraryPresets().store(origin.name, number, {here[Pan], here[Tilt], here[Zoom]}, error);
}

bool SimCamera::recallPreset(uint8_t number)
{
    const std::lock_guard<std::mutex> lock(mutex);
    std::array<int, AxisCount> there = {};
    std::optional<PresetStore::Position> found;
    if (!origin.keepsPresets)
        found = libraryPresets().find(origin.name, number);
    else if (const auto kept = presets.find(number); kept != presets.end() && kept->second.stored)
        found = kept->second.position;
    if (!found)
        return false;
    for (int axis = 0; axis < AxisCount; ++axis)
        there[axis] = int((*found)[axis].value_or(0));
    for (int axis = 0; axis < AxisCount; ++axis)
        setPositionLocked(Axis(axis), there[axis]);
    return true;
}

bool SimCamera::clearPreset(uint8_t number, std::string &error)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (!origin.keepsPresets)
        return libraryPresets().erase(origin.name, number, error);
    presets.erase(number);
    return true;
}

PresetRecord SimCamera::readPreset(uint8_t number) const
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (!origin.keepsPresets)
        return PresetStore::record(libraryPresets().entry(origin.name, number));
    const auto kept = presets.find(number);
    return PresetStore::record(kept == presets.end() ? std::nullopt : std::optional(kept->second));
}

bool SimCamera::writePreset(uint8_t number, const PresetRecord &record, std::string &error)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (!origin.keepsPresets)
        return libraryPresets().put(origin.name, number, PresetStore::entryOf(record), error);
    presets[number] = PresetStore::entryOf(record);
    return true;
}

int SimCamera::fastest(Axis axis)
{
    constexpr int fastestSpeed[] = {24, 16, 7};
    return fastestSpeed[axis] * unitsPerSpeed[axis];
}
