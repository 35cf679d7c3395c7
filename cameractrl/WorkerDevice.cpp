// SPDX-License-Identifier: GPL-2.0-or-later
#include "WorkerDevice.h"

#include <algorithm>

bool WorkerDevice::move(MotionAxis axis, int speed)
{
    const bool zoom = axis == ZoomAxis;
    if (lacks(zoom ? CAP_ZOOM : CAP_PAN_TILT, zoom ? "zoom" : "pan and tilt"))
        return false;
    setSpeed(axis, speed);
    return true;
}

bool WorkerDevice::TiltUp(int speed)
{
    return move(TiltAxis, std::max(speed, 0));
}
bool WorkerDevice::TiltDown(int speed)
{
    return move(TiltAxis, -std::max(speed, 0));
}
bool WorkerDevice::PanLeft(int speed)
{
    return move(PanAxis, -std::max(speed, 0));
}
bool WorkerDevice::PanRight(int speed)
{
    return move(PanAxis, std::max(speed, 0));
}
bool WorkerDevice::ZoomIn(int speed)
{
    return move(ZoomAxis, std::max(speed, 0));
}
bool WorkerDevice::ZoomOut(int speed)
{
    return move(ZoomAxis, -std::max(speed, 0));
}
bool WorkerDevice::TiltUpStop()
{
    return move(TiltAxis, 0);
}
bool WorkerDevice::TiltDownStop()
{
    return move(TiltAxis, 0);
}
bool WorkerDevice::PanLeftStop()
{
    return move(PanAxis, 0);
}
bool WorkerDevice::PanRightStop()
{
    return move(PanAxis, 0);
}
bool WorkerDevice::ZoomStop()
{
    return move(ZoomAxis, 0);
}
