// SPDX-License-Identifier: GPL-2.0-or-later
// Wraps the backends' devices: writes each call to the trace and mirrors the inner device's
// parameter records, so callers always read the records of the object they hold. The
// queries that only tell what the library knows already are passed on untraced. With the
// cameras of several backends in one list, Open picks the device of the camera it opens.
#pragma once

#include "BaseDevice.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TraceDevice final : public BaseDevice
{
public:
    explicit TraceDevice(std::unique_ptr<BaseDevice> inner);
    // Which device, and its own index there, an index of the combined list belongs to.
    using Route = std::function<std::optional<std::pair<size_t, int>>(int index)>;
    TraceDevice(std::vector<std::unique_ptr<BaseDevice>> devices, Route route);
    ~TraceDevice() override;

    bool Open(const char *index, int mode) override;
    bool Close() override;
    bool TiltUp(int speed) override;
    bool TiltUpStop() override;
    bool TiltDown(int speed) override;
    bool TiltDownStop() override;
    bool PanLeft(int speed) override;
    bool PanLeftStop() override;
    bool PanRight(int speed) override;
    bool PanRightStop() override;
    bool ManualFocus() override;
    bool AutoFocus() override;
    bool FocusStop() override;
    bool ZoomIn(int speed) override;
    bool ZoomOut(int speed) override;
    bool ZoomStop() override;
    bool FlipOn() override;
    bool FlipOff() override;
    bool MirrorOn() override;
    bool MirrorOff() override;
    bool MenuOn() override;
    bool MenuOff() override;
    bool Home() override;
    bool FramingAuto() override;
    bool FramingManual() override;
    bool RestoreImageDefaults() override;
    bool ClearPreset(uint8_t preset) override;
    bool SetPreset(uint8_t preset) override;
    bool CallPreset(uint8_t preset) override;
    bool SetBrightness(int value) override;
    bool SetHue(int value) override;
    bool SetBacklight(int value) override;
    bool SetGamma(int value) override;
    bool SetContrast(int value) override;
    bool SetSaturation(int value) override;
    bool SetSharpness(int value) override;
    bool SetWhiteBalance(int value) override;
    bool SetWhiteBalanceAuto(int automatic) override;
    bool SetFlicker(int mode) override;
    bool ReadParameters() override;
    bool IrOn() override;
    bool IrOff() override;
    bool DayMode() override;
    bool NightMode() override;
    bool PtzReset() override;
    bool SetPanPosition(int32_t position) override;
    bool SetTiltPosition(int32_t position) override;
    bool GetPanPosition(int32_t *position) override;
    bool GetTiltPosition(int32_t *position) override;
    uint32_t Capabilities() override;
    void SetChangeListener(ChangeListener listener, void *context) override;
    bool LastPosition(int32_t *pan, int32_t *tilt) override;
    bool WaitUntilSent(int milliseconds) override;
    bool SetTally(int state) override;
    bool AskPosition() override;
    bool SetZoomPosition(int32_t position) override;
    bool GetZoomPosition(int32_t *position) override;
    bool SetPanTiltPosition(int32_t pan, int32_t tilt, int panSpeed, int tiltSpeed) override;
    bool CallPresetAtSpeed(uint8_t preset, int speed) override;
    bool WritePreset(uint8_t preset, const PresetRecord *record) override;
    bool ReadPreset(uint8_t preset, PresetRecord *record) override;
    bool FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom) override;
    bool RetakePresetPicture(uint8_t preset) override;
    bool ReadPresetPicture(uint8_t preset, std::vector<uint8_t> *jpeg, uint32_t *version,
                           std::string *problem) override;
    bool WritePresetPicture(uint8_t preset, const std::vector<uint8_t> &jpeg) override;
    bool StartLiveView() override;
    bool StopLiveView() override;
    bool LiveFrame(std::vector<uint8_t> *jpeg, uint32_t *version) override;
    int32_t Health() override;

private:
    template <typename... Params, typename... Args>
    bool call(const char *name, bool (BaseDevice::*operation)(Params...), Args... args);
    bool mirrored(bool ok); // copies the inner device's records

    std::vector<std::unique_ptr<BaseDevice>> devices;
    Route route;
    BaseDevice *inner; // the device of the camera opened last
};
