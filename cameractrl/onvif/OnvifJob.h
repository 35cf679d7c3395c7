// SPDX-License-Identifier: GPL-2.0-or-later
// One request of the user's that the ONVIF worker sends, besides the motion: a position, a
// preset, home, a reading of the position or an image setting.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

struct OnvifJob
{
    enum Kind
    {
        Absolute,
        GotoPreset,
        SetPreset,
        RemovePreset,
        Home,
        Status,
        Image,
        SnapshotUri // where the profile's picture is
    } kind = Status;
    int preset = 0;
    int record = -1; // Image: the parameter record, and its value in the panel's units
    int value = 0;
    int key = 0;        // jobs of the same key replace each other while waiting
    uint32_t needs = 0; // the capability lost when the camera cannot do it
    std::string what;   // for messages
    std::chrono::steady_clock::time_point heldUntil; // a pan waiting for its tilt
};
