// SPDX-License-Identifier: GPL-2.0-or-later
#include "PresetGlide.h"

#include <algorithm>
#include <cmath>

namespace {

// The joystick's fastest speeds, which the camera's fastest motion answers to.
constexpr int FastestPan = 24;
constexpr int FastestTilt = 16;

// The speed at which the camera covers `distance` within one step, `limit` being what it
// covers at `fastest`.
int speedFor(int64_t distance, int32_t limit, int fastest)
{
    const int64_t needed = (std::abs(distance) * fastest + limit - 1) / std::max(limit, 1);
    return int(std::clamp<int64_t>(needed, 1, fastest));
}

int64_t largestStep(const PresetGlide::Point &from, const std::vector<PresetGlide::Point> &steps,
                    int axis)
{
    int64_t largest = 0;
    int64_t was = from[axis];
    for (const auto &point : steps) {
        largest = std::max(largest, std::abs(point[axis] - was));
        was = point[axis];
    }
    return largest;
}

} // namespace

double PresetGlide::eased(double t)
{
    // Speed rises evenly to its top over the first share and falls the same over the last.
    t = std::clamp(t, 0.0, 1.0);
    const double top = 1.0 / (1.0 - Easing);
    if (t < Easing)
        return top * t * t / (2 * Easing);
    if (t > 1.0 - Easing)
        return 1.0 - top * (1.0 - t) * (1.0 - t) / (2 * Easing);
    return top * (Easing / 2 + (t - Easing));
}

int PresetGlide::stepsFor(const Point &from, const Point &to, const Point &limit, int speed,
                          double seconds)
{
    const double top = 1.0 / (1.0 - Easing);
    const double share =
        seconds > 0 ? 1.0 : double(std::clamp(speed, 1, FastestSpeed)) / FastestSpeed;
    double fewest = 1;
    for (int axis = 0; axis < AxisCount; ++axis) {
        const double distance = std::abs(double(to[axis]) - from[axis]);
        fewest = std::max(fewest, std::ceil(distance * top / (std::max(limit[axis], 1) * share)));
    }
    const double asked = seconds > 0 ? std::round(seconds * StepsPerSecond) : 0;
    int steps = int(std::min(std::max(fewest, asked), 1e6));
    // Rounding to whole units can make a step one unit longer than the line's.
    for (auto path = plan(from, to, steps);; path = plan(from, to, ++steps)) {
        bool within = true;
        for (int axis = 0; axis < AxisCount; ++axis)
            within = within && largestStep(from, path, axis) <= std::max(limit[axis], 1);
        if (within)
            return steps;
    }
}

std::vector<PresetGlide::Point> PresetGlide::plan(const Point &from, const Point &to, int steps)
{
    steps = std::max(steps, 1);
    std::vector<Point> path(static_cast<size_t>(steps));
    for (int k = 1; k <= steps; ++k) {
        const double done = eased(double(k) / steps);
        for (int axis = 0; axis < AxisCount; ++axis)
            path[size_t(k - 1)][axis] =
                int32_t(std::llround(from[axis] + (double(to[axis]) - from[axis]) * done));
    }
    path.back() = to;
    return path;
}

PresetGlide::PresetGlide(BaseDevice *camera, QObject *parent) : QObject(parent), device(camera)
{
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &PresetGlide::step);
}

PresetGlide::Start PresetGlide::start(uint8_t preset, int speed, double seconds)
{
    const Start planned = plan(preset, speed, seconds);
    return planned == Start::Gliding || planned == Start::Recalled ? go(Clock::now()) : planned;
}

PresetGlide::Start PresetGlide::plan(uint8_t number, int speed, double seconds)
{
    stop();
    if (!device)
        return Start::NotStored;
    preset = number;
    const uint32_t caps = device->Capabilities();
    // Where the panel cannot step the camera, it goes there at its own speed.
    const auto itself = [this] {
        pending = Pending::Recall;
        return Start::Recalled;
    };
    if (speed <= 0 && seconds <= 0)
        return itself();
    // A camera that keeps its presets itself knows those the library never heard of.
    if ((caps & CAP_PRESET_SPEED) && seconds <= 0) {
        pending = Pending::RecallAtSpeed;
        cameraSpeed = speed * FastestPan / FastestSpeed;
        return Start::Recalled;
    }
    PresetRecord kept;
    if (!device->ReadPreset(preset, &kept) || !kept.stored)
        return Start::NotStored;

    from = {};
    to = {kept.pan, kept.tilt, kept.zoom};
    int32_t fastest[AxisCount] = {};
    if (!device->FastestMotion(&fastest[Pan], &fastest[Tilt], &fastest[Zoom]))
        return itself();
    movesPanTilt = (kept.known & PRESET_PAN) && (kept.known & PRESET_TILT) &&
                   (caps & CAP_PAN_TILT_MOVE) && device->GetPanPosition(&from[Pan]) &&
                   device->GetTiltPosition(&from[Tilt]);
    // A preset where the camera cannot be stepped to is the camera's to reach.
    if (!movesPanTilt && (kept.known & (PRESET_PAN | PRESET_TILT)))
        return itself();
    movesZoom = (kept.known & PRESET_ZOOM) && (caps & CAP_ZOOM_POSITION);
    // A lens the camera has not told the place of goes to the preset's zoom at the first
    // step, at the camera's own speed: the glide still ends at the preset.
    if (movesZoom && !device->GetZoomPosition(&from[Zoom]))
        from[Zoom] = to[Zoom];
    if (!movesPanTilt && !movesZoom)
        return itself();
    for (int axis = 0; axis < AxisCount; ++axis) {
        const bool moves = axis == Zoom ? movesZoom : movesPanTilt;
        if (!moves)
            to[axis] = from[axis];
        limit[axis] = std::max(1, fastest[axis] / StepsPerSecond);
    }
    fewest = stepsFor(from, to, limit, speed, seconds);
    pending = Pending::Steps;
    return Start::Gliding;
}

PresetGlide::Start PresetGlide::go(Clock::time_point start, int count)
{
    const Pending planned = pending;
    pending = Pending::Nothing;
    switch (planned) {
    case Pending::Nothing:
        return Start::NotStored;
    case Pending::Recall:
        return device->CallPreset(preset) ? Start::Recalled : Start::Refused;
    case Pending::RecallAtSpeed:
        return device->CallPresetAtSpeed(preset, cameraSpeed) ? Start::Recalled : Start::Refused;
    case Pending::Steps:
        break;
    }
    count = std::max(count, fewest);
    steps = plan(from, to, count);
    arrival = start + count * StepTime;
    here = from;
    next = 0;
    schedule();
    return Start::Gliding;
}

void PresetGlide::stop()
{
    timer.stop();
    pending = Pending::Nothing;
    steps.clear();
    next = 0;
}

void PresetGlide::schedule()
{
    // Each step when it is due, counted back from the arrival: a turn that came late is made
    // up by the next, never carried over to the rest.
    const Clock::time_point due = arrival - StepTime * int64_t(steps.size() - 1 - next);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
    timer.start(int(std::max<std::chrono::milliseconds::rep>(0, wait.count())));
}

void PresetGlide::step()
{
    if (next >= steps.size()) {
        stop();
        return;
    }
    const Point there = steps[next++];
    bool taken = true;
    if (movesPanTilt)
        taken = device->SetPanTiltPosition(
            there[Pan], there[Tilt], speedFor(there[Pan] - here[Pan], limit[Pan], FastestPan),
            speedFor(there[Tilt] - here[Tilt], limit[Tilt], FastestTilt));
    if (taken && movesZoom)
        taken = device->SetZoomPosition(there[Zoom]);
    here = there;
    if (!taken) {
        stop(); // the camera is gone or will not go there: nothing more to send it
        emit failed();
        return;
    }
    if (next == steps.size()) {
        stop();
        emit arrived();
        return;
    }
    schedule();
}
