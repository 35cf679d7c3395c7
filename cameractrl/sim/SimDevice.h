// The device object of the simulated backend: drives whichever SimCamera is open.
#pragma once

#include "BaseDevice.h"

#include <memory>

class SimBackend;
class SimCamera;

class SimDevice final : public BaseDevice
{
public:
    explicit SimDevice(SimBackend &backend);

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

private:
    bool move(int axis, int direction, int speed);
    bool stop(int axis, int direction);
    bool setImage(int index, int value);
    bool isOpen() const { return camera != nullptr; }

    SimBackend &backend;
    std::shared_ptr<SimCamera> camera;
};
