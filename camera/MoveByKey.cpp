// SPDX-License-Identifier: GPL-2.0-or-later
#include "MoveByKey.h"
#include "BaseDevice.h"

void MoveByKey(BaseDevice *device, int key, int panSpeed, int tiltSpeed)
{
    switch (key) {
    case 0:
        device->PanLeft(panSpeed);
        device->TiltUp(tiltSpeed);
        break;
    case 1:
        device->TiltUp(tiltSpeed);
        break;
    case 2:
        device->PanRight(panSpeed);
        device->TiltUp(tiltSpeed);
        break;
    case 3:
        device->PanLeft(panSpeed);
        break;
    case 4:
        device->TiltUpStop();
        device->TiltDownStop();
        device->PanLeftStop();
        device->PanRightStop();
        break;
    case 5:
        device->PanRight(panSpeed);
        break;
    case 6:
        device->PanLeft(panSpeed);
        device->TiltDown(tiltSpeed);
        break;
    case 7:
        device->TiltDown(tiltSpeed);
        break;
    case 8:
        device->TiltDown(tiltSpeed);
        device->PanRight(panSpeed);
        break;
    default:
        break;
    }
}
