// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraDriver.h"
#include "CameraControl.h"
#include "PanelControl.h"

bool CameraDriver::cameraConnected() const
{
    return panel.camera().isAnswering();
}

void CameraDriver::drive(int key, int panSpeed, int tiltSpeed)
{
    panel.camera().drive(key, panSpeed, tiltSpeed);
}

void CameraDriver::zoom(int speed)
{
    if (speed == zooming)
        return;
    // Without a camera a pad or key is simply ignored.
    if (!cameraConnected()) {
        zooming = 0;
        return;
    }
    if (speed == 0)
        panel.camera().zoomStop();
    else
        panel.camera().zoom(speed);
    zooming = speed;
}

void CameraDriver::recall(int preset)
{
    panel.camera().recall(preset);
}

void CameraDriver::store(int preset)
{
    panel.camera().store(preset);
}

void CameraDriver::home()
{
    panel.camera().home();
}
