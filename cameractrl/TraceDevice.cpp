// SPDX-License-Identifier: GPL-2.0-or-later
#include "TraceDevice.h"
#include "Backend.h"
#include "Trace.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

std::vector<std::unique_ptr<BaseDevice>> one(std::unique_ptr<BaseDevice> device)
{
    std::vector<std::unique_ptr<BaseDevice>> devices;
    devices.push_back(std::move(device));
    return devices;
}

} // namespace

TraceDevice::TraceDevice(std::unique_ptr<BaseDevice> device)
    : TraceDevice(one(std::move(device)), {})
{}

TraceDevice::TraceDevice(std::vector<std::unique_ptr<BaseDevice>> all, Route router)
    : devices(std::move(all)), route(std::move(router)), inner(devices.front().get())
{}

TraceDevice::~TraceDevice() = default;

template <typename... Params, typename... Args>
bool TraceDevice::call(const char *name, bool (BaseDevice::*operation)(Params...), Args... args)
{
    Trace::write(name, args...);
    return mirrored((inner->*operation)(args...));
}

bool TraceDevice::mirrored(bool ok)
{
    std::copy(std::begin(inner->parameters), std::end(inner->parameters), std::begin(parameters));
    return ok;
}

bool TraceDevice::Open(const char *index, int mode)
{
    const auto number = Backend::indexOf(index);
    const auto routed = route && number ? route(*number) : std::nullopt;
    if (!routed)
        return call("Open", &BaseDevice::Open, index, mode);
    Trace::write("Open", index, mode);
    BaseDevice *const wanted = devices[routed->first].get();
    if (wanted != inner)
        inner->Close(); // one camera open at a time, whichever backend has it
    inner = wanted;
    const std::string own = std::to_string(routed->second);
    return mirrored(inner->Open(own.c_str(), mode));
}

bool TraceDevice::Close()
{
    return call("Close", &BaseDevice::Close);
}

bool TraceDevice::TiltUp(int speed)
{
    return call("TiltUp", &BaseDevice::TiltUp, speed);
}

bool TraceDevice::TiltUpStop()
{
    return call("TiltUpStop", &BaseDevice::TiltUpStop);
}

bool TraceDevice::TiltDown(int speed)
{
    return call("TiltDown", &BaseDevice::TiltDown, speed);
}

bool TraceDevice::TiltDownStop()
{
    return call("TiltDownStop", &BaseDevice::TiltDownStop);
}

bool TraceDevice::PanLeft(int speed)
{
    return call("PanLeft", &BaseDevice::PanLeft, speed);
}

bool TraceDevice::PanLeftStop()
{
    return call("PanLeftStop", &BaseDevice::PanLeftStop);
}

bool TraceDevice::PanRight(int speed)
{
    return call("PanRight", &BaseDevice::PanRight, speed);
}

bool TraceDevice::PanRightStop()
{
    return call("PanRightStop", &BaseDevice::PanRightStop);
}

bool TraceDevice::ManualFocus()
{
    return call("ManualFocus", &BaseDevice::ManualFocus);
}

bool TraceDevice::AutoFocus()
{
    return call("AutoFocus", &BaseDevice::AutoFocus);
}

bool TraceDevice::FocusStop()
{
    return call("FocusStop", &BaseDevice::FocusStop);
}

bool TraceDevice::ZoomIn(int speed)
{
    return call("ZoomIn", &BaseDevice::ZoomIn, speed);
}

bool TraceDevice::ZoomOut(int speed)
{
    return call("ZoomOut", &BaseDevice::ZoomOut, speed);
}

bool TraceDevice::ZoomStop()
{
    return call("ZoomStop", &BaseDevice::ZoomStop);
}

bool TraceDevice::FlipOn()
{
    return call("FlipOn", &BaseDevice::FlipOn);
}

bool TraceDevice::FlipOff()
{
    return call("FlipOff", &BaseDevice::FlipOff);
}

bool TraceDevice::MirrorOn()
{
    return call("MirrorOn", &BaseDevice::MirrorOn);
}

bool TraceDevice::MirrorOff()
{
    return call("MirrorOff", &BaseDevice::MirrorOff);
}

bool TraceDevice::MenuOn()
{
    return call("MenuOn", &BaseDevice::MenuOn);
}

bool TraceDevice::MenuOff()
{
    return call("MenuOff", &BaseDevice::MenuOff);
}

bool TraceDevice::Home()
{
    return call("Home", &BaseDevice::Home);
}

bool TraceDevice::FramingAuto()
{
    return call("FramingAuto", &BaseDevice::FramingAuto);
}

bool TraceDevice::FramingManual()
{
    return call("FramingManual", &BaseDevice::FramingManual);
}

bool TraceDevice::RestoreImageDefaults()
{
    return call("RestoreImageDefaults", &BaseDevice::RestoreImageDefaults);
}

bool TraceDevice::ClearPreset(uint8_t preset)
{
    return call("ClearPreset", &BaseDevice::ClearPreset, preset);
}

bool TraceDevice::SetPreset(uint8_t preset)
{
    return call("SetPreset", &BaseDevice::SetPreset, preset);
}

bool TraceDevice::CallPreset(uint8_t preset)
{
    return call("CallPreset", &BaseDevice::CallPreset, preset);
}

bool TraceDevice::SetBrightness(int value)
{
    return call("SetBrightness", &BaseDevice::SetBrightness, value);
}

bool TraceDevice::SetHue(int value)
{
    return call("SetHue", &BaseDevice::SetHue, value);
}

bool TraceDevice::SetBacklight(int value)
{
    return call("SetBacklight", &BaseDevice::SetBacklight, value);
}

bool TraceDevice::SetGamma(int value)
{
    return call("SetGamma", &BaseDevice::SetGamma, value);
}

bool TraceDevice::SetContrast(int value)
{
    return call("SetContrast", &BaseDevice::SetContrast, value);
}

bool TraceDevice::SetSaturation(int value)
{
    return call("SetSaturation", &BaseDevice::SetSaturation, value);
}

bool TraceDevice::SetSharpness(int value)
{
    return call("SetSharpness", &BaseDevice::SetSharpness, value);
}

bool TraceDevice::SetWhiteBalance(int value)
{
    return call("SetWhiteBalance", &BaseDevice::SetWhiteBalance, value);
}

bool TraceDevice::SetWhiteBalanceAuto(int automatic)
{
    return call("SetWhiteBalanceAuto", &BaseDevice::SetWhiteBalanceAuto, automatic);
}

bool TraceDevice::SetFlicker(int mode)
{
    return call("SetFlicker", &BaseDevice::SetFlicker, mode);
}

bool TraceDevice::ReadParameters()
{
    return call("ReadParameters", &BaseDevice::ReadParameters);
}

bool TraceDevice::IrOn()
{
    return call("IrOn", &BaseDevice::IrOn);
}

bool TraceDevice::IrOff()
{
    return call("IrOff", &BaseDevice::IrOff);
}

bool TraceDevice::DayMode()
{
    return call("DayMode", &BaseDevice::DayMode);
}

bool TraceDevice::NightMode()
{
    return call("NightMode", &BaseDevice::NightMode);
}

bool TraceDevice::PtzReset()
{
    return call("PtzReset", &BaseDevice::PtzReset);
}

bool TraceDevice::SetPanPosition(int32_t position)
{
    return call("SetPanPosition", &BaseDevice::SetPanPosition, position);
}

bool TraceDevice::SetTiltPosition(int32_t position)
{
    return call("SetTiltPosition", &BaseDevice::SetTiltPosition, position);
}

bool TraceDevice::GetPanPosition(int32_t *position)
{
    return call("GetPanPosition", &BaseDevice::GetPanPosition, position);
}

bool TraceDevice::GetTiltPosition(int32_t *position)
{
    return call("GetTiltPosition", &BaseDevice::GetTiltPosition, position);
}

uint32_t TraceDevice::Capabilities()
{
    return inner->Capabilities();
}

void TraceDevice::SetChangeListener(ChangeListener listener, void *context)
{
    for (const auto &device : devices)
        device->SetChangeListener(listener, context);
}

bool TraceDevice::LastPosition(int32_t *pan, int32_t *tilt)
{
    return inner->LastPosition(pan, tilt);
}

bool TraceDevice::WaitUntilSent(int milliseconds)
{
    return inner->WaitUntilSent(milliseconds);
}

bool TraceDevice::SetTally(int state)
{
    return call("SetTally", &BaseDevice::SetTally, state);
}

bool TraceDevice::AskPosition()
{
    return call("AskPosition", &BaseDevice::AskPosition);
}

bool TraceDevice::SetZoomPosition(int32_t position)
{
    return call("SetZoomPosition", &BaseDevice::SetZoomPosition, position);
}

bool TraceDevice::GetZoomPosition(int32_t *position)
{
    return call("GetZoomPosition", &BaseDevice::GetZoomPosition, position);
}

bool TraceDevice::SetPanTiltPosition(int32_t pan, int32_t tilt, int panSpeed, int tiltSpeed)
{
    return call("SetPanTiltPosition", &BaseDevice::SetPanTiltPosition, pan, tilt, panSpeed,
                tiltSpeed);
}

bool TraceDevice::CallPresetAtSpeed(uint8_t preset, int speed)
{
    return call("CallPresetAtSpeed", &BaseDevice::CallPresetAtSpeed, preset, speed);
}

bool TraceDevice::WritePreset(uint8_t preset, const PresetRecord *record)
{
    return call("WritePreset", &BaseDevice::WritePreset, preset, record);
}

bool TraceDevice::ReadPreset(uint8_t preset, PresetRecord *record)
{
    return inner->ReadPreset(preset, record);
}

bool TraceDevice::FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom)
{
    return inner->FastestMotion(pan, tilt, zoom);
}

bool TraceDevice::RetakePresetPicture(uint8_t preset)
{
    return call("RetakePresetPicture", &BaseDevice::RetakePresetPicture, preset);
}

bool TraceDevice::ReadPresetPicture(uint8_t preset, std::vector<uint8_t> *jpeg, uint32_t *version,
                                    std::string *problem)
{
    return inner->ReadPresetPicture(preset, jpeg, version, problem);
}

bool TraceDevice::WritePresetPicture(uint8_t preset, const std::vector<uint8_t> &jpeg)
{
    // The picture itself is not written: the line says which preset got one.
    Trace::write("WritePresetPicture", preset);
    return mirrored(inner->WritePresetPicture(preset, jpeg));
}

bool TraceDevice::StartLiveView()
{
    return call("StartLiveView", &BaseDevice::StartLiveView);
}

bool TraceDevice::StopLiveView()
{
    return call("StopLiveView", &BaseDevice::StopLiveView);
}

bool TraceDevice::LiveFrame(std::vector<uint8_t> *jpeg, uint32_t *version)
{
    return inner->LiveFrame(jpeg, version);
}

int32_t TraceDevice::Health()
{
    return inner->Health();
}
