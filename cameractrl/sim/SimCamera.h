// The state one simulated camera keeps while the process runs: image values, the pan, tilt
// and zoom positions (moving while a motion runs), and its presets.
#pragma once

#include "SimCameraConfig.h"

#include <array>
#include <chrono>
#include <map>

class SimCamera
{
public:
    enum Axis
    {
        Pan,
        Tilt,
        Zoom,
        AxisCount
    };
    // Positions in tenths of a degree for pan and tilt, 0..1000 for zoom.
    static constexpr int PanLimit = 1700;
    static constexpr int TiltMin = -300, TiltMax = 900;
    static constexpr int ZoomMax = 1000;

    explicit SimCamera(const SimCameraConfig &config);

    const SimCameraConfig &config() const { return origin; }
    const ParameterRecord *records() const { return values; }

    void setImage(int index, int value);
    void restoreImageDefaults();

    // direction -1 or +1 (left/down/out or right/up/in); speed 0 stops.
    void startMotion(Axis axis, int direction, int speed);
    // Stops the axis if it is moving in `direction`.
    void stopMotion(Axis axis, int direction);
    int position(Axis axis) const;
    void setPosition(Axis axis, int position);

    void storePreset(uint8_t number);
    bool recallPreset(uint8_t number);
    void clearPreset(uint8_t number);

private:
    using Clock = std::chrono::steady_clock;
    struct Motion
    {
        int from = 0;
        int unitsPerSecond = 0; // signed
        Clock::time_point since;
    };

    void settle(Axis axis);

    SimCameraConfig origin;
    ParameterRecord values[PARAM_COUNT];
    std::array<Motion, AxisCount> motion;
    std::map<uint8_t, std::array<int, AxisCount>> presets;
};
