// SPDX-License-Identifier: GPL-2.0-or-later
// The direction operations of a device whose camera has its own worker thread: each asks for
// one axis's speed (pan right, tilt up and zoom in positive; a stop is 0), once the device
// has checked that the open camera moves that way.
#pragma once

#include "PictureDevice.h"

#include <string>

class WorkerDevice : public PictureDevice
{
public:
    bool TiltUp(int speed) final;
    bool TiltUpStop() final;
    bool TiltDown(int speed) final;
    bool TiltDownStop() final;
    bool PanLeft(int speed) final;
    bool PanLeftStop() final;
    bool PanRight(int speed) final;
    bool PanRightStop() final;
    bool ZoomIn(int speed) final;
    bool ZoomOut(int speed) final;
    bool ZoomStop() final;

protected:
    // In Motion's order.
    enum MotionAxis
    {
        PanAxis,
        TiltAxis,
        ZoomAxis
    };
    // True when no camera is open, or it cannot do `capability` (said once as `what`).
    virtual bool lacks(uint32_t capability, const std::string &what) = 0;
    // Hands the wanted speed to the worker.
    virtual void setSpeed(MotionAxis axis, int speed) = 0;

private:
    bool move(MotionAxis axis, int speed);
};
