// SPDX-License-Identifier: GPL-2.0-or-later
// The device object of the V4L2 backend: it checks what the open camera offers and hands
// everything else to the camera's worker thread, so no call waits for the camera. Image
// settings map onto the standard controls, pan, tilt and zoom onto the speed controls or
// stepped absolute controls (V4l2Controls decides). Positions are whole degrees; presets
// live in the backend's preset store. What needs controls the worker has not read yet is
// handed to it to work out once it has; closed and opened again at once, the same camera
// keeps its worker, and so its reading.
#pragma once

#include "CameraWorkerDevice.h"
#include "V4l2Backend.h"
#include "V4l2Worker.h"

#include <memory>
#include <string>
#include <vector>

class V4l2Device final : public CameraWorkerDevice<V4l2Backend, V4l2Worker>
{
public:
    explicit V4l2Device(V4l2Backend &backend);

    bool Open(const char *index, int mode) override;
    bool ManualFocus() override;
    bool AutoFocus() override;
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
    bool LastPosition(int32_t *pan, int32_t *tilt) override;
    bool SetTally(int state) override;
    bool SetZoomPosition(int32_t position) override;
    bool GetZoomPosition(int32_t *position) override;
    bool SetPanTiltPosition(int32_t pan, int32_t tilt, int panSpeed, int tiltSpeed) override;
    bool WritePreset(uint8_t preset, const PresetRecord *record) override;
    bool ReadPreset(uint8_t preset, PresetRecord *record) override;
    bool FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom) override;
    // Waits until the open camera is read completely, at most `milliseconds`.
    bool WaitUntilRead(int milliseconds);

private:
    using Axis = V4l2Controls::Axis;

    // Writes one control the camera must have; `remember`: an image setting.
    bool set(uint32_t id, int64_t value, bool remember = true);
    // Writes what `make` works out from the camera's controls once those in `needs` are read.
    bool writeFrom(std::vector<uint32_t> needs, V4l2Worker::Maker make, const std::string &what,
                   bool remember = false);
    // The camera has been asked for `id` and does not have it (so, for writing).
    bool lacksControl(uint32_t id, bool writing);
    bool moveTo(Axis axis, int32_t degrees);
    bool readPosition(Axis axis, int32_t *degrees);
    bool home(bool zoomToo);
    bool lacks(uint32_t capability, const std::string &what) override;
    bool unsupported(const std::string &what);
    void openView(); // the open camera's pictures

    V4l2Backend::Camera opened;
};
