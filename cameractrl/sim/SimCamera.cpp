#include "SimCamera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int minimumOf[] = {-SimCamera::PanLimit, SimCamera::TiltMin, 0};
constexpr int maximumOf[] = {SimCamera::PanLimit, SimCamera::TiltMax, SimCamera::ZoomMax};
// Units per second for each step of speed: pan 24 turns at 24 degrees a second.
constexpr int unitsPerSpeed[] = {10, 10, 50};

int clampToAxis(int axis, long long value)
{
    return static_cast<int>(std::clamp<long long>(value, minimumOf[axis], maximumOf[axis]));
}

} // namespace

SimCamera::SimCamera(const SimCameraConfig &config) : origin(config)
{
    std::copy(std::begin(config.records), std::end(config.records), std::begin(values));
}

void SimCamera::setImage(int index, int value)
{
    ParameterRecord &r = values[index];
    if (r.minimum <= r.maximum)
        value = std::clamp(value, r.minimum, r.maximum);
    r.currentValue = value;
}

void SimCamera::restoreImageDefaults()
{
    for (ParameterRecord &r : values)
        r.currentValue = r.defaultValue;
}

void SimCamera::startMotion(Axis axis, int direction, int speed)
{
    settle(axis);
    motion[axis].unitsPerSecond = direction * std::max(speed, 0) * unitsPerSpeed[axis];
}

void SimCamera::stopMotion(Axis axis, int direction)
{
    const int v = motion[axis].unitsPerSecond;
    if ((direction < 0 && v < 0) || (direction > 0 && v > 0)) {
        settle(axis);
        motion[axis].unitsPerSecond = 0;
    }
}

int SimCamera::position(Axis axis) const
{
    const Motion &m = motion[axis];
    if (m.unitsPerSecond == 0)
        return m.from;
    const double seconds = std::chrono::duration<double>(Clock::now() - m.since).count();
    return clampToAxis(axis, m.from + std::llround(seconds * m.unitsPerSecond));
}

void SimCamera::setPosition(Axis axis, int position)
{
    motion[axis] = Motion{clampToAxis(axis, position), 0, Clock::now()};
}

void SimCamera::settle(Axis axis)
{
    motion[axis].from = position(axis);
    motion[axis].since = Clock::now();
}

void SimCamera::storePreset(uint8_t number)
{
    presets[number] = {position(Pan), position(Tilt), position(Zoom)};
}

bool SimCamera::recallPreset(uint8_t number)
{
    const auto found = presets.find(number);
    if (found == presets.end())
        return false;
    for (int axis = 0; axis < AxisCount; ++axis)
        setPosition(Axis(axis), found->second[axis]);
    return true;
}

void SimCamera::clearPreset(uint8_t number)
{
    presets.erase(number);
}
