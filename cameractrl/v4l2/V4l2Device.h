// The device object of the V4L2 backend. Image settings map onto the standard controls;
// pan, tilt and zoom onto the speed controls, or, for cameras that only have absolute
// ones, onto a background stepper that moves the absolute position until the stop.
// Positions are whole degrees; presets live in the backend's preset store.
#pragma once

#include "BaseDevice.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

class V4l2Backend;

class V4l2Device final : public BaseDevice
{
public:
    explicit V4l2Device(V4l2Backend &backend);
    ~V4l2Device() override;

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
    struct Control
    {
        int64_t minimum = 0;
        int64_t maximum = 0;
        int64_t step = 1;
        int64_t defaultValue = 0;
        uint32_t flags = 0;
    };
    enum Axis
    {
        Pan,
        Tilt,
        Zoom,
        AxisCount
    };

    bool has(uint32_t id) const { return controls.count(id) != 0; }
    bool writable(uint32_t id) const;
    // Clamped to the control's range. Both fail quietly without a camera.
    bool set(uint32_t id, int64_t value);
    bool get(uint32_t id, int64_t &value);
    bool setLocked(uint32_t id, int64_t value);
    bool writeLocked(uint32_t id, int64_t value); // as it is, unclamped
    bool getLocked(uint32_t id, int64_t &value);
    int ioctlLocked(unsigned long request, void *argument);
    void closeLocked();
    bool setImage(uint32_t id, int value);

    bool move(Axis axis, int direction, int speed);
    bool stop(Axis axis);
    void stepperLoop();
    bool moveTo(Axis axis, int64_t value);
    bool readPosition(Axis axis, int32_t *degrees);
    bool writePosition(Axis axis, int32_t degrees);
    void unsupported(const std::string &what);

    V4l2Backend &backend;
    std::string node;
    std::string name;
    std::string identity;
    std::map<uint32_t, Control> controls;
    std::set<std::string> reported;

    // The stepper thread shares the descriptor: every ioctl holds the mutex.
    std::mutex mutex;
    std::condition_variable wake;
    std::thread stepper;
    bool stopping = false;
    std::atomic<int> fd{-1};
    int64_t stepPerTick[AxisCount] = {};
    int64_t stepperPosition[AxisCount] = {};
};
