// SPDX-License-Identifier: GPL-2.0-or-later
// What a simulated camera sees: a room of coloured pillars around it and the horizon,
// drawn from where it points and how far it zooms. The same position draws the same
// picture, and two positions a few degrees apart draw different ones.
#pragma once

#include "SimCamera.h"
#include "ViewSource.h"

#include <memory>

class SimView final : public ViewSource
{
public:
    explicit SimView(std::shared_ptr<SimCamera> camera);

    bool frame(Frame &frame, Clock::time_point deadline, int stop, std::string &problem) override;

    static constexpr int Width = 480, Height = 270;
    // Pan and tilt in tenths of a degree, zoom 0..SimCamera::ZoomMax.
    static RgbImage draw(int pan, int tilt, int zoom, int width = Width, int height = Height);

private:
    const std::shared_ptr<SimCamera> camera;
};
