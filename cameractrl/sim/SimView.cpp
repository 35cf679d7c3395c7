// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimView.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double WidestView = 60; // degrees across, at zoom 0; ten times narrower at the end
constexpr int PillarEvery = 15;   // degrees
constexpr uint8_t Colours[][3] = {{200, 60, 50}, {60, 160, 70},  {230, 200, 60},
                                  {70, 90, 200}, {190, 90, 180}, {240, 240, 240}};

void fill(RgbImage &image, int x0, int y0, int x1, int y1, const uint8_t *colour)
{
    x0 = std::clamp(x0, 0, image.width);
    x1 = std::clamp(x1, 0, image.width);
    y0 = std::clamp(y0, 0, image.height);
    y1 = std::clamp(y1, 0, image.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            std::copy(colour, colour + 3,
                      &image.pixels[(size_t(y) * size_t(image.width) + size_t(x)) * 3]);
}

} // namespace

SimView::SimView(std::shared_ptr<SimCamera> simulated) : camera(std::move(simulated)) {}

bool SimView::frame(Frame &frame, Clock::time_point, int, std::string &)
{
    frame.image = draw(camera->position(SimCamera::Pan), camera->position(SimCamera::Tilt),
                       camera->position(SimCamera::Zoom));
    return true;
}

RgbImage SimView::draw(int pan, int tilt, int zoom, int width, int height)
{
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t(width) * size_t(height) * 3);
    const double perDegree = width / (WidestView / (1 + 9.0 * zoom / SimCamera::ZoomMax));
    const int horizon = int(std::lround(height / 2 + tilt / 10.0 * perDegree));
    for (int y = 0; y < height; ++y) {
        const uint8_t sky[3] = {uint8_t(90 + 60 * y / height), 150, 225};
        const uint8_t floor[3] = {uint8_t(120 - 40 * y / height), 95, 60};
        fill(image, 0, y, width, y + 1, y < horizon ? sky : floor);
    }
    const auto xOf = [&](double degrees) {
        return int(std::lround(width / 2 + (degrees - pan / 10.0) * perDegree));
    };
    for (int k = -180 / PillarEvery; k <= 180 / PillarEvery; ++k) {
        const int index = (k + 100) % 6;
        const double tall = 8 + ((k + 100) * 37 % 5) * 5;
        const double angle = k * PillarEvery;
        fill(image, xOf(angle - 2), int(horizon - tall * perDegree), xOf(angle + 2),
             int(horizon + 2 * perDegree), Colours[index]);
    }
    return image;
}
