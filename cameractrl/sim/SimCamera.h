// SPDX-License-Identifier: GPL-2.0-or-later
// The state one simulated camera keeps while the process runs: image values, the pan, tilt
// and zoom positions (moving while a motion runs), and its presets. Thread-safe: its file is
// watched on another thread while the panel drives it.
#pragma once

#include "PresetStore.h"
#include "SimCameraConfig.h"

#include <array>
#include <chrono>
#include <map>
#include <mutex>
#include <string>

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

    SimCameraConfig config() const;
    void copyRecords(ParameterRecord *records) const;
    int record(int index) const;
    uint32_t lacks() const;
    int32_t health() const;

    void setImage(int index, int value);
    void restoreImageDefaults();
    // The file was edited while the camera is attached: its records and features now hold.
    // Returns the CHANGED_... bits that follow.
    uint32_t applyEdit(const SimCameraConfig &edited);

    // direction -1 or +1 (left/down/out or right/up/in); speed 0 stops.
    void startMotion(Axis axis, int direction, int speed);
    // Stops the axis if it is moving in `direction`.
    void stopMotion(Axis axis, int direction);
    int position(Axis axis) const;
    bool moving() const;
    void setPosition(Axis axis, int position);
    static bool reaches(Axis axis, long long position);

    // False, with why, when the preset file could not be written (for a camera whose presets
    // the library keeps).
    bool storePreset(uint8_t number, std::string &error);
    bool recallPreset(uint8_t number);
    bool clearPreset(uint8_t number, std::string &error);
    PresetRecord readPreset(uint8_t number) const;
    bool writePreset(uint8_t number, const PresetRecord &record, std::string &error);
    // Units a second at the fastest speed.
    static int fastest(Axis axis);

private:
    using Clock = std::chrono::steady_clock;
    struct Motion
    {
        int from = 0;
        int unitsPerSecond = 0; // signed
        Clock::time_point since;
    };

    int positionLocked(Axis axis) const;
    void settle(Axis axis);
    void setPositionLocked(Axis axis, int position);

    mutable std::mutex mutex;
    SimCameraConfig origin;
    ParameterRecord values[PARAM_COUNT];
    std::array<Motion, AxisCount> motion;
    std::map<uint8_t, PresetStore::Entry> presets; // of a camera that keeps them itself
};
