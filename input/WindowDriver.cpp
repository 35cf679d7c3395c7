// SPDX-License-Identifier: GPL-2.0-or-later
#include "WindowDriver.h"
#include "PanelControl.h"
#include "PanelKeys.h"

using namespace PanelKeys;

bool WindowDriver::cameraConnected() const
{
    return panel.capabilities() != 0;
}

void WindowDriver::drive(int key, int panSpeed, int tiltSpeed)
{
    panel.driveByKey(key, panSpeed, tiltSpeed);
}

void WindowDriver::zoom(int speed)
{
    if (speed == zooming)
        return;
    // Without a camera the lever would warn at every step: a pad or key is simply ignored.
    if (!cameraConnected()) {
        zooming = 0;
        return;
    }
    if (speed == 0)
        panel.releaseZoomLever();
    else
        panel.holdZoomLever(speed);
    zooming = speed;
}

void WindowDriver::recall(int preset)
{
    panel.pressPresetKey(preset, RightRecall);
}

void WindowDriver::store(int preset)
{
    panel.pressPresetKey(preset, RightStore);
}

void WindowDriver::home()
{
    panel.pressLeftKey(LeftHome);
}
