// SPDX-License-Identifier: GPL-2.0-or-later
// The speeds a camera's worker is asked for and has sent: pan, tilt and zoom, signed, 0
// stops. The workers send a stop or a change of direction ahead of anything waiting, and a
// mere change of speed after it.
#pragma once

#include <array>
#include <cstddef>

struct Motion
{
    enum Drive
    {
        PanTilt, // pan and tilt, which go out together
        Zoom
    };

    std::array<int, 3> speed = {0, 0, 0}; // pan, tilt, zoom

    // The drive starts, stops or reverses on an axis, compared with what was `sent`.
    bool turnsFrom(const Motion &sent, Drive drive) const
    {
        return any(drive, [&](std::size_t a) {
            const int w = speed[a], s = sent.speed[a];
            return (w == 0) != (s == 0) || (w > 0) != (s > 0);
        });
    }
    bool differsFrom(const Motion &sent, Drive drive) const
    {
        return any(drive, [&](std::size_t a) { return speed[a] != sent.speed[a]; });
    }

private:
    template <typename Test> static bool any(Drive drive, Test test)
    {
        return drive == Zoom ? test(2) : test(0) || test(1);
    }
};
