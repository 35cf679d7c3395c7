#include "SimDevice.h"
#include "SimBackend.h"
#include "SimCamera.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

SimDevice::SimDevice(SimBackend &owner) : backend(owner) {}

bool SimDevice::Open(const char *index, int)
{
    camera.reset();
    if (!index)
        return false;
    int number = -1;
    const char *end = index + std::strlen(index);
    const auto result = std::from_chars(index, end, number);
    if (result.ec != std::errc() || result.ptr != end || end == index)
        return false;
    camera = backend.open(number);
    return isOpen();
}

bool SimDevice::Close()
{
    camera.reset();
    return true;
}

bool SimDevice::move(int axis, int direction, int speed)
{
    if (!isOpen())
        return false;
    camera->startMotion(SimCamera::Axis(axis), direction, speed);
    return true;
}

bool SimDevice::stop(int axis, int direction)
{
    if (!isOpen())
        return false;
    camera->stopMotion(SimCamera::Axis(axis), direction);
    return true;
}

bool SimDevice::setImage(int index, int value)
{
    if (!isOpen())
        return false;
    camera->setImage(index, value);
    return true;
}

bool SimDevice::TiltUp(int speed)
{
    return move(SimCamera::Tilt, +1, speed);
}
bool SimDevice::TiltUpStop()
{
    return stop(SimCamera::Tilt, +1);
}
bool SimDevice::TiltDown(int speed)
{
    return move(SimCamera::Tilt, -1, speed);
}
bool SimDevice::TiltDownStop()
{
    return stop(SimCamera::Tilt, -1);
}
bool SimDevice::PanLeft(int speed)
{
    return move(SimCamera::Pan, -1, speed);
}
bool SimDevice::PanLeftStop()
{
    return stop(SimCamera::Pan, -1);
}
bool SimDevice::PanRight(int speed)
{
    return move(SimCamera::Pan, +1, speed);
}
bool SimDevice::PanRightStop()
{
    return stop(SimCamera::Pan, +1);
}
bool SimDevice::ZoomIn(int speed)
{
    return move(SimCamera::Zoom, +1, speed);
}
bool SimDevice::ZoomOut(int speed)
{
    return move(SimCamera::Zoom, -1, speed);
}
bool SimDevice::ZoomStop()
{
    return stop(SimCamera::Zoom, -1) && stop(SimCamera::Zoom, +1);
}

// The simulation has no lens, image pipeline or on-screen menu: these only need a camera.
bool SimDevice::ManualFocus()
{
    return isOpen();
}
bool SimDevice::AutoFocus()
{
    return isOpen();
}
bool SimDevice::FocusStop()
{
    return isOpen();
}
bool SimDevice::FlipOn()
{
    return isOpen();
}
bool SimDevice::FlipOff()
{
    return isOpen();
}
bool SimDevice::MirrorOn()
{
    return isOpen();
}
bool SimDevice::MirrorOff()
{
    return isOpen();
}
bool SimDevice::MenuOn()
{
    return isOpen();
}
bool SimDevice::MenuOff()
{
    return isOpen();
}
bool SimDevice::FramingAuto()
{
    return isOpen();
}
bool SimDevice::FramingManual()
{
    return isOpen();
}
bool SimDevice::SetWhiteBalanceAuto(int)
{
    return isOpen();
}
bool SimDevice::SetFlicker(int mode)
{
    return isOpen() && (mode == 1 || mode == 2);
}
bool SimDevice::IrOn()
{
    return isOpen();
}
bool SimDevice::IrOff()
{
    return isOpen();
}
bool SimDevice::DayMode()
{
    return isOpen();
}
bool SimDevice::NightMode()
{
    return isOpen();
}

bool SimDevice::Home()
{
    if (!isOpen())
        return false;
    camera->setPosition(SimCamera::Pan, 0);
    camera->setPosition(SimCamera::Tilt, 0);
    return true;
}

bool SimDevice::PtzReset()
{
    if (!Home())
        return false;
    camera->setPosition(SimCamera::Zoom, 0);
    return true;
}

bool SimDevice::RestoreImageDefaults()
{
    if (!isOpen())
        return false;
    camera->restoreImageDefaults();
    return true;
}

bool SimDevice::ClearPreset(uint8_t preset)
{
    if (!isOpen())
        return false;
    camera->clearPreset(preset);
    return true;
}

bool SimDevice::SetPreset(uint8_t preset)
{
    if (!isOpen())
        return false;
    camera->storePreset(preset);
    return true;
}

bool SimDevice::CallPreset(uint8_t preset)
{
    return isOpen() && camera->recallPreset(preset);
}

bool SimDevice::SetBrightness(int value)
{
    return setImage(PARAM_BRIGHTNESS, value);
}
bool SimDevice::SetHue(int value)
{
    return setImage(PARAM_HUE, value);
}
bool SimDevice::SetBacklight(int value)
{
    return setImage(PARAM_BACKLIGHT, value);
}
bool SimDevice::SetGamma(int value)
{
    return setImage(PARAM_GAMMA, value);
}
bool SimDevice::SetContrast(int value)
{
    return setImage(PARAM_CONTRAST, value);
}
bool SimDevice::SetSaturation(int value)
{
    return setImage(PARAM_SATURATION, value);
}
bool SimDevice::SetSharpness(int value)
{
    return setImage(PARAM_SHARPNESS, value);
}
bool SimDevice::SetWhiteBalance(int value)
{
    return setImage(PARAM_WHITE_BALANCE, value);
}

bool SimDevice::ReadParameters()
{
    if (!isOpen())
        return false;
    std::copy(camera->records(), camera->records() + PARAM_COUNT, std::begin(parameters));
    return true;
}

bool SimDevice::SetPanPosition(int32_t position)
{
    if (!isOpen())
        return false;
    camera->setPosition(SimCamera::Pan, position);
    return true;
}

bool SimDevice::SetTiltPosition(int32_t position)
{
    if (!isOpen())
        return false;
    camera->setPosition(SimCamera::Tilt, position);
    return true;
}

bool SimDevice::GetPanPosition(int32_t *position)
{
    if (!isOpen() || !position)
        return false;
    *position = camera->position(SimCamera::Pan);
    return true;
}

bool SimDevice::GetTiltPosition(int32_t *position)
{
    if (!isOpen() || !position)
        return false;
    *position = camera->position(SimCamera::Tilt);
    return true;
}
