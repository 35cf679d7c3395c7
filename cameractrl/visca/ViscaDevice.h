// SPDX-License-Identifier: GPL-2.0-or-later
// The device object of the VISCA backend: it turns each operation into the VISCA request
// for it and hands that to the camera's worker thread, so no call waits for the network.
// Positions are the camera's own VISCA units; presets are the camera's memories 0..255.
#pragma once

#include "NetworkDevice.h"
#include "ViscaBackend.h"
#include "ViscaWorker.h"

#include <memory>
#include <string>

class ViscaDevice final : public NetworkDevice<ViscaBackend, ViscaWorker>
{
public:
    explicit ViscaDevice(ViscaBackend &backend);

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
    bool SetZoomPosition(int32_t position) override;
    bool GetZoomPosition(int32_t *position) override;
    bool SetPanTiltPosition(int32_t pan, int32_t tilt, int panSpeed, int tiltSpeed) override;
    bool CallPresetAtSpeed(uint8_t preset, int speed) override;
    bool FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom) override;

private:
    using Request = ViscaWorker::Request;
    bool request(Visca::Bytes message, uint32_t needs, const char *what, bool untilAck = false);
    bool image(int record, int value);
    // Keeps where the camera is with `preset`, or forgets the preset.
    void keepPreset(uint8_t preset, bool stored);
};
