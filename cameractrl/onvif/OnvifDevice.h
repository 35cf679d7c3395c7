// SPDX-License-Identifier: GPL-2.0-or-later
// The device object of the ONVIF backend: each operation becomes a job or a speed for the
// camera's worker thread, so no call waits for the network. Positions are whole degrees
// where the camera offers its spherical space in degrees, otherwise its generic space
// (−1…1) in thousandths; presets 0..255 are the camera's, each number kept with the token
// the camera gave it.
#pragma once

#include "NetworkDevice.h"
#include "OnvifBackend.h"
#include "OnvifWorker.h"

#include <memory>
#include <string>

class OnvifDevice final : public NetworkDevice<OnvifBackend, OnvifWorker>
{
public:
    explicit OnvifDevice(OnvifBackend &backend);

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
    bool IrOn() override;
    bool IrOff() override;
    bool DayMode() override;
    bool NightMode() override;
    bool PtzReset() override;
    bool SetPanPosition(int32_t position) override;
    bool SetTiltPosition(int32_t position) override;
    bool SetTally(int state) override;

private:
    bool job(OnvifJob::Kind kind, uint32_t needs, const char *what, int preset = 0);
    bool image(int record, int value, const char *what);
    bool moveTo(int axis, int32_t position);
    void keepPreset(uint8_t preset, bool stored);
    void openView(const OnvifBackend::Camera &camera); // the open camera's pictures
};
