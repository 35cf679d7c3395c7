// SPDX-License-Identifier: GPL-2.0-or-later
// A preset recalled at a speed or over a time the user chooses: the panel steps the camera's
// absolute positions 20 times a second along a straight line, pan, tilt and zoom starting and
// arriving together and easing in and out over the first and last 15 % of the way, never a
// step faster than the camera moves at its fastest. A camera that moves to its presets at a
// speed it is given does it itself. Each step is one traced call, so the trace shows the path.
// Steps are due at fixed times before one deadline of the monotonic clock, so that a late turn
// of the event loop makes no glide later than asked, and several glides given the same
// deadline arrive together.
#pragma once

#include "BaseDevice.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <chrono>
#include <vector>

class PresetGlide : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepsPerSecond = 20;
    static constexpr double Easing = 0.15; // of the time, at each end
    static constexpr int FastestSpeed = 8; // of the speeds asked for: the camera's fastest
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration StepTime = std::chrono::milliseconds(1000 / StepsPerSecond);

    enum AxisIndex
    {
        Pan,
        Tilt,
        Zoom,
        AxisCount
    };
    using Point = std::array<int32_t, AxisCount>;

    enum class Start
    {
        Gliding,   // steps follow
        Recalled,  // the camera moves by itself (at the speed, or, lacking positions, its own)
        NotStored, // nothing was sent
        Refused    // the camera refused it
    };

    // The share of the way done after `t` of the time (both 0..1).
    static double eased(double t);
    // The fewest steps that keep every axis within `limit` a step, and for `speed` (1..8)
    // its share of that; `seconds` > 0 asks for a time instead, longer only where the camera
    // could not keep up.
    static int stepsFor(const Point &from, const Point &to, const Point &limit, int speed,
                        double seconds);
    // Where each of `steps` steps goes; the last is `to`.
    static std::vector<Point> plan(const Point &from, const Point &to, int steps);

    // Works on `device`, which outlives it.
    explicit PresetGlide(BaseDevice *device, QObject *parent = nullptr);

    // Toward `preset` at `speed` 1..8, or over `seconds` when that is > 0.
    Start start(uint8_t preset, int speed, double seconds);
    // The same, planned but not sent: reads where the camera is and says what go() will do.
    // Speed 0 without seconds is the camera's own recall.
    Start plan(uint8_t preset, int speed, double seconds);
    // The fewest steps of what was planned; 0 when the camera goes there itself.
    int plannedSteps() const { return pending == Pending::Steps ? fewest : 0; }
    // Sends what was planned: the first step one step's time after `start`, the last
    // `steps` (at least the plan's own) steps after it. NotStored when nothing is planned.
    Start go(Clock::time_point start, int steps = 0);
    // No step follows, and nothing planned goes; the camera stays where the last step sent it.
    void stop();
    bool isGliding() const { return next < steps.size(); }
    int stepCount() const { return int(steps.size()); }

signals:
    // The last step is sent (not after stop()).
    void arrived();
    // The camera did not take a step: the glide ends short of the preset.
    void failed();

private:
    enum class Pending
    {
        Nothing,
        Steps,
        Recall,       // the camera's own recall
        RecallAtSpeed // the camera's own, at a speed it is given
    };
    void step();
    void schedule();

    BaseDevice *const device;
    QTimer timer;
    Pending pending = Pending::Nothing;
    uint8_t preset = 0;
    int cameraSpeed = 0; // of a recall at speed
    int fewest = 0;
    Point from{}, to{};
    std::vector<Point> steps;
    size_t next = 0;
    Clock::time_point arrival; // when the last step is due
    Point here{};              // where the last step went
    bool movesPanTilt = false;
    bool movesZoom = false;
    Point limit{};
};
