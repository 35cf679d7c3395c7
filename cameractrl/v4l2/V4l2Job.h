// SPDX-License-Identifier: GPL-2.0-or-later
// One thing the V4L2 worker was asked to do besides moving: control writes, writes worked out
// once the controls they need are read, a reading of the position, or a preset to keep or
// forget.
#pragma once

#include "V4l2Controls.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct V4l2Job
{
    using Writes = std::vector<std::pair<uint32_t, int64_t>>;
    // Works out writes from the camera's controls; nothing: the camera cannot.
    using Maker = std::function<Writes(const V4l2ControlMap &)>;

    enum Kind
    {
        Write,
        Later, // writes that `make` works out when its turn comes
        ReadPosition,
        StorePreset,
        ClearPreset
    } kind = Write;
    Writes writes;
    bool remember = false;
    int preset = 0;
    std::vector<uint32_t> needs;
    Maker make;
    std::string what;
    unsigned sequence = 0;                           // of a preset job
    std::chrono::steady_clock::time_point heldUntil; // a pan waiting for its tilt
};
