// SPDX-License-Identifier: GPL-2.0-or-later
#include "BaseDevice.h"
#include "Backend.h"
#include "Trace.h"

#include <cstdio>
#include <memory>

DeviceInfo::DeviceInfo() = default;
DeviceInfo::DeviceInfo(const DeviceInfo &other) = default;
DeviceInfo &DeviceInfo::operator=(const DeviceInfo &other) = default;
DeviceInfo::~DeviceInfo() = default;

BaseDevice::BaseDevice() = default;
BaseDevice::~BaseDevice() = default;

// A backend without these leaves their CAP_... bits out.
bool BaseDevice::SetZoomPosition(int32_t)
{
    return false;
}
bool BaseDevice::GetZoomPosition(int32_t *)
{
    return false;
}
bool BaseDevice::SetPanTiltPosition(int32_t, int32_t, int, int)
{
    return false;
}
bool BaseDevice::CallPresetAtSpeed(uint8_t, int)
{
    return false;
}
bool BaseDevice::WritePreset(uint8_t, const PresetRecord *)
{
    return false;
}
bool BaseDevice::ReadPreset(uint8_t, PresetRecord *)
{
    return false;
}
bool BaseDevice::FastestMotion(int32_t *, int32_t *, int32_t *)
{
    return false;
}
bool BaseDevice::RetakePresetPicture(uint8_t)
{
    return false;
}
bool BaseDevice::WritePresetPicture(uint8_t, const std::vector<uint8_t> &)
{
    return false;
}
bool BaseDevice::StartLiveView()
{
    return false;
}
bool BaseDevice::StopLiveView()
{
    return false;
}
bool BaseDevice::ReadPresetPicture(uint8_t, std::vector<uint8_t> *, uint32_t *, std::string *)
{
    return false;
}
bool BaseDevice::LiveFrame(std::vector<uint8_t> *, uint32_t *)
{
    return false;
}

int32_t BaseDevice::Health()
{
    return HEALTH_ANSWERING;
}

BaseDevice *BaseDevice::CreateDevice(DeviceType type)
{
    Trace::write("CreateDevice", int32_t(type));
    if (type != DEVICE_USB) {
        std::fprintf(stderr, "CameraCtrl: device type %d is not supported; use 0 (USB)\n",
                     int(type));
        return nullptr;
    }
    Backend *backend = Backend::selected();
    if (!backend)
        return nullptr;
    // Callers never delete the device; the library keeps it until the process ends.
    return Backend::keep(backend->createDevice());
}

void BaseDevice::Initial()
{
    Trace::write("Initial");
    if (Backend *backend = Backend::selected())
        backend->initial();
}

bool BaseDevice::EnumUSBDevices(std::vector<DeviceInfo> &devices)
{
    Trace::write("EnumUSBDevices");
    Backend *backend = Backend::selected();
    if (!backend) {
        devices.clear();
        return false;
    }
    return backend->enumerate(devices);
}
