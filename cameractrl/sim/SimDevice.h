// SPDX-License-Identifier: GPL-2.0-or-later
// The device object of the simulated backend: drives whichever SimCamera is open, and
// watches its file for edits while it is open.
#pragma once

#include "ChangeNotifier.h"
#include "PictureDevice.h"

#include <memory>
#include <string>

class SimBackend;
class SimCamera;
class SimFileWatcher;

class SimDevice final : public PictureDevice
{
public:
    explicit SimDevice(SimBackend &backend);
    ~SimDevice() override;

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
    bool WritePreset(uint8_t preset, const PresetRecord *record) override;
    bool ReadPreset(uint8_t preset, PresetRecord *record) override;
    bool FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom) override;
    int32_t Health() override;

private:
    bool move(int axis, int direction, int speed);
    bool stop(int axis, int direction);
    bool setImage(int index, int value);
    bool setPosition(int axis, int32_t position);
    bool isOpen() const { return camera != nullptr; }
    // Open, and answering (slowly or not): said once when it is not.
    bool answers();
    // The camera is open and has `capability`; says once when it lacks it.
    bool can(uint32_t capability, const char *what);
    // The same for what follows from what it lacks (Capabilities()).
    bool offers(uint32_t capability, const char *what);

    SimBackend &backend;
    const std::shared_ptr<ChangeNotifier> notifier = std::make_shared<ChangeNotifier>();
    std::shared_ptr<SimCamera> camera;
    std::unique_ptr<SimFileWatcher> watcher;
    std::string name;
};
