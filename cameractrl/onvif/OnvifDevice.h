// SPDX-License-Identifier: GPL-2.0-or-later
// The device object of the ONVIF backend: each operation becomes a job or a speed for the
// camera's worker thread, so no call waits for the network. Positions are whole degrees
// where the camera offers its spherical space in degrees, otherwise its generic space
// (−1…1) in thousandths; presets 0..255 are the camera's, each number kept with the token
// the camera gave it.
#pragma once

#include "ChangeNotifier.h"
#include "OnvifBackend.h"
#include "OnvifWorker.h"
#include "WorkerDevice.h"

#include <memory>
#include <string>

class OnvifDevice final : public WorkerDevice
{
public:
    explicit OnvifDevice(OnvifBackend &backend);
    ~OnvifDevice() override;

    bool Open(const char *index, int mode) override;
    bool Close() override;
    bool ManualFocus() override;
    bool AutoFocus() override;
    bool FocusStop() override;
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

private:
    bool job(OnvifJob::Kind kind, uint32_t needs, const char *what, int preset = 0);
    bool image(int record, int value, const char *what);
    bool moveTo(int axis, int32_t position);
    bool readPosition(int axis, int32_t *position);
    bool lacks(uint32_t capability, const std::string &what) override;
    void setSpeed(MotionAxis axis, int speed) override;
    bool unsupported(const std::string &what);

    OnvifBackend &backend;
    const std::shared_ptr<ChangeNotifier> notifier = std::make_shared<ChangeNotifier>();
    std::unique_ptr<OnvifWorker> worker;
    std::unique_ptr<OnvifWorker> closed; // until the next camera is opened
    std::string name;
    std::string path, closedPath; // the open camera's, the closed one's
};
