#include "V4l2Device.h"
#include "Report.h"
#include "V4l2Backend.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int PanelMaximum[] = {24, 16, 7}; // fastest speed the panel sends: pan, tilt, zoom
constexpr uint32_t SpeedControl[] = {V4L2_CID_PAN_SPEED, V4L2_CID_TILT_SPEED,
                                     V4L2_CID_ZOOM_CONTINUOUS};
constexpr uint32_t AbsoluteControl[] = {V4L2_CID_PAN_ABSOLUTE, V4L2_CID_TILT_ABSOLUTE,
                                        V4L2_CID_ZOOM_ABSOLUTE};
constexpr const char *AxisName[] = {"pan", "tilt", "zoom"};
constexpr auto StepInterval = std::chrono::milliseconds(50);
constexpr int64_t ArcSecondsPerDegree = 3600;

// Every control the device uses; their ranges are read once when a camera opens.
constexpr uint32_t KnownControls[] = {
    V4L2_CID_BRIGHTNESS,
    V4L2_CID_CONTRAST,
    V4L2_CID_SATURATION,
    V4L2_CID_HUE,
    V4L2_CID_AUTO_WHITE_BALANCE,
    V4L2_CID_GAMMA,
    V4L2_CID_POWER_LINE_FREQUENCY,
    V4L2_CID_WHITE_BALANCE_TEMPERATURE,
    V4L2_CID_SHARPNESS,
    V4L2_CID_BACKLIGHT_COMPENSATION,
    V4L2_CID_HFLIP,
    V4L2_CID_VFLIP,
    V4L2_CID_PAN_RESET,
    V4L2_CID_TILT_RESET,
    V4L2_CID_PAN_ABSOLUTE,
    V4L2_CID_TILT_ABSOLUTE,
    V4L2_CID_ZOOM_ABSOLUTE,
    V4L2_CID_ZOOM_CONTINUOUS,
    V4L2_CID_PAN_SPEED,
    V4L2_CID_TILT_SPEED,
    V4L2_CID_FOCUS_AUTO,
};

struct ImageRecord
{
    int position;
    uint32_t control;
};

constexpr ImageRecord ImageRecords[] = {
    {PARAM_WHITE_BALANCE, V4L2_CID_WHITE_BALANCE_TEMPERATURE},
    {PARAM_BRIGHTNESS, V4L2_CID_BRIGHTNESS},
    {PARAM_HUE, V4L2_CID_HUE},
    {PARAM_SATURATION, V4L2_CID_SATURATION},
    {PARAM_SHARPNESS, V4L2_CID_SHARPNESS},
    {PARAM_BACKLIGHT, V4L2_CID_BACKLIGHT_COMPENSATION},
    {PARAM_GAMMA, V4L2_CID_GAMMA},
    {PARAM_CONTRAST, V4L2_CID_CONTRAST},
};

int32_t narrow(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

V4l2Device::V4l2Device(V4l2Backend &owner) : backend(owner) {}

V4l2Device::~V4l2Device()
{
    Close();
}

bool V4l2Device::Open(const char *index, int)
{
    Close();
    int number = -1;
    const char *end = index ? index + std::strlen(index) : nullptr;
    if (!index || std::from_chars(index, end, number).ptr != end || end == index)
        return false;
    const V4l2Backend::Camera *camera = backend.camera(number);
    if (!camera)
        return false;

    const int descriptor = backend.io().open(camera->info.path);
    if (descriptor < 0) {
        reportOnce("cannot open " + camera->info.path + " (" + camera->info.name +
                   "): " + std::strerror(-descriptor) +
                   (descriptor == -EACCES ? "; is this user in the video group?" : ""));
        return false;
    }
    const std::lock_guard<std::mutex> lock(mutex);
    fd = descriptor;
    node = camera->info.path;
    name = camera->info.name;
    identity = camera->identity;
    controls.clear();
    for (uint32_t id : KnownControls) {
        v4l2_query_ext_ctrl query = {};
        query.id = id;
        if (ioctlLocked(VIDIOC_QUERY_EXT_CTRL, &query) == 0 &&
            !(query.flags & V4L2_CTRL_FLAG_DISABLED))
            controls[id] = {query.minimum, query.maximum, static_cast<int64_t>(query.step),
                            query.default_value, query.flags};
    }
    return fd >= 0;
}

bool V4l2Device::Close()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    if (stepper.joinable())
        stepper.join();
    const std::lock_guard<std::mutex> lock(mutex);
    stopping = false;
    std::fill(std::begin(stepPerTick), std::end(stepPerTick), 0);
    closeLocked();
    controls.clear();
    return true;
}

void V4l2Device::closeLocked()
{
    if (fd >= 0)
        backend.io().close(fd);
    fd = -1;
}

int V4l2Device::ioctlLocked(unsigned long request, void *argument)
{
    if (fd < 0)
        return -ENODEV;
    const int result = backend.io().ioctl(fd, request, argument);
    if (result == -ENODEV) {
        // Unplugged while open: the hot-plug enumeration will follow; stay quiet until then.
        reportOnce(name + " (" + node + ") is gone");
        closeLocked();
    }
    return result;
}

bool V4l2Device::writable(uint32_t id) const
{
    const auto found = controls.find(id);
    return found != controls.end() && !(found->second.flags & V4L2_CTRL_FLAG_READ_ONLY);
}

bool V4l2Device::setLocked(uint32_t id, int64_t value)
{
    const auto found = controls.find(id);
    if (found == controls.end())
        return false;
    return writeLocked(id, std::clamp(value, found->second.minimum, found->second.maximum));
}

bool V4l2Device::writeLocked(uint32_t id, int64_t value)
{
    v4l2_control control = {};
    control.id = id;
    control.value = narrow(value);
    return ioctlLocked(VIDIOC_S_CTRL, &control) == 0;
}

bool V4l2Device::getLocked(uint32_t id, int64_t &value)
{
    v4l2_control control = {};
    control.id = id;
    if (!has(id) || ioctlLocked(VIDIOC_G_CTRL, &control) != 0)
        return false;
    value = control.value;
    return true;
}

bool V4l2Device::set(uint32_t id, int64_t value)
{
    const std::lock_guard<std::mutex> lock(mutex);
    return setLocked(id, value);
}

bool V4l2Device::get(uint32_t id, int64_t &value)
{
    const std::lock_guard<std::mutex> lock(mutex);
    return getLocked(id, value);
}

void V4l2Device::unsupported(const std::string &what)
{
    if (fd >= 0)
        reportOnce(name + " (" + node + ") offers no " + what);
}

// ---- Image ---------------------------------------------------------------------------------

bool V4l2Device::ReadParameters()
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (fd < 0)
        return false;
    for (const ImageRecord &image : ImageRecords) {
        ParameterRecord &record = parameters[image.position];
        const auto found = controls.find(image.control);
        int64_t current = 0;
        if (found == controls.end() || !getLocked(image.control, current)) {
            record = {0, 0, 1, 0, 0, 0}; // a range the slider can still hold
            continue;
        }
        const Control &c = found->second;
        record = {narrow(c.minimum),
                  narrow(c.maximum),
                  narrow(c.step),
                  narrow(c.defaultValue),
                  narrow(current),
                  c.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_DISABLED) ? 0 : 1};
    }
    return fd >= 0;
}

bool V4l2Device::setImage(uint32_t id, int value)
{
    return writable(id) && set(id, value);
}

bool V4l2Device::SetBrightness(int value)
{
    return setImage(V4L2_CID_BRIGHTNESS, value);
}
bool V4l2Device::SetHue(int value)
{
    return setImage(V4L2_CID_HUE, value);
}
bool V4l2Device::SetBacklight(int value)
{
    return setImage(V4L2_CID_BACKLIGHT_COMPENSATION, value);
}
bool V4l2Device::SetGamma(int value)
{
    return setImage(V4L2_CID_GAMMA, value);
}
bool V4l2Device::SetContrast(int value)
{
    return setImage(V4L2_CID_CONTRAST, value);
}
bool V4l2Device::SetSaturation(int value)
{
    return setImage(V4L2_CID_SATURATION, value);
}
bool V4l2Device::SetSharpness(int value)
{
    return setImage(V4L2_CID_SHARPNESS, value);
}

bool V4l2Device::SetWhiteBalance(int value)
{
    return setImage(V4L2_CID_WHITE_BALANCE_TEMPERATURE, value);
}

bool V4l2Device::SetWhiteBalanceAuto(int automatic)
{
    return setImage(V4L2_CID_AUTO_WHITE_BALANCE, automatic ? 1 : 0);
}

bool V4l2Device::SetFlicker(int mode)
{
    if (mode != 1 && mode != 2)
        return false;
    return setImage(V4L2_CID_POWER_LINE_FREQUENCY, mode == 1 ? V4L2_CID_POWER_LINE_FREQUENCY_50HZ
                                                             : V4L2_CID_POWER_LINE_FREQUENCY_60HZ);
}

bool V4l2Device::RestoreImageDefaults()
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (fd < 0)
        return false;
    for (const ImageRecord &image : ImageRecords) {
        const auto found = controls.find(image.control);
        if (found != controls.end() && !(found->second.flags & V4L2_CTRL_FLAG_READ_ONLY))
            setLocked(image.control, found->second.defaultValue);
    }
    return fd >= 0;
}

// ---- Pan, tilt and zoom --------------------------------------------------------------------

bool V4l2Device::move(Axis axis, int direction, int speed)
{
    if (fd < 0)
        return false;
    if (writable(SpeedControl[axis])) {
        // Some cameras report a negative minimum that is not the reverse of their maximum.
        const Control &c = controls.at(SpeedControl[axis]);
        const int64_t fastest = c.maximum > 0 ? c.maximum : -c.minimum;
        int64_t value = 0;
        if (speed > 0 && fastest > 0)
            value = std::clamp<int64_t>(std::llround(double(speed) * fastest / PanelMaximum[axis]),
                                        1, fastest);
        const std::lock_guard<std::mutex> lock(mutex);
        return writeLocked(SpeedControl[axis], direction * value);
    }
    if (!writable(AbsoluteControl[axis])) {
        unsupported(std::string(AxisName[axis]) + " control");
        return false;
    }
    std::unique_lock<std::mutex> lock(mutex);
    int64_t position = 0;
    if (!getLocked(AbsoluteControl[axis], position))
        return false;
    const Control &c = controls.at(AbsoluteControl[axis]);
    int64_t perTick = 0;
    if (speed > 0) {
        // Pan and tilt at 2.5 degrees a second per speed step; zoom across its range in
        // two seconds at full speed.
        perTick = axis == Zoom ? std::max<int64_t>(1, (c.maximum - c.minimum) * speed / (7 * 40))
                               : speed * ArcSecondsPerDegree * 5 / 2 / 20;
    }
    stepperPosition[axis] = position;
    stepPerTick[axis] = direction * perTick;
    if (!stepper.joinable())
        stepper = std::thread(&V4l2Device::stepperLoop, this);
    lock.unlock();
    wake.notify_all();
    return true;
}

bool V4l2Device::stop(Axis axis)
{
    if (fd < 0)
        return false;
    const std::lock_guard<std::mutex> lock(mutex);
    stepPerTick[axis] = 0;
    return writable(SpeedControl[axis]) ? writeLocked(SpeedControl[axis], 0) : true;
}

void V4l2Device::stepperLoop()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (!stopping) {
        const bool moving = std::any_of(std::begin(stepPerTick), std::end(stepPerTick),
                                        [](int64_t step) { return step != 0; });
        if (!moving) {
            wake.wait(lock);
            continue;
        }
        wake.wait_for(lock, StepInterval);
        for (int axis = 0; axis < AxisCount && !stopping && fd >= 0; ++axis) {
            if (stepPerTick[axis] == 0)
                continue;
            const Control &c = controls.at(AbsoluteControl[axis]);
            const int64_t next =
                std::clamp(stepperPosition[axis] + stepPerTick[axis], c.minimum, c.maximum);
            if (next == stepperPosition[axis] || !setLocked(AbsoluteControl[axis], next)) {
                stepPerTick[axis] = 0; // at the end of the range, or the camera refused
                continue;
            }
            stepperPosition[axis] = next;
        }
        if (fd < 0)
            std::fill(std::begin(stepPerTick), std::end(stepPerTick), 0);
    }
}

bool V4l2Device::TiltUp(int speed)
{
    return move(Tilt, +1, speed);
}
bool V4l2Device::TiltDown(int speed)
{
    return move(Tilt, -1, speed);
}
bool V4l2Device::PanLeft(int speed)
{
    return move(Pan, -1, speed);
}
bool V4l2Device::PanRight(int speed)
{
    return move(Pan, +1, speed);
}
bool V4l2Device::ZoomIn(int speed)
{
    return move(Zoom, +1, speed);
}
bool V4l2Device::ZoomOut(int speed)
{
    return move(Zoom, -1, speed);
}
bool V4l2Device::TiltUpStop()
{
    return stop(Tilt);
}
bool V4l2Device::TiltDownStop()
{
    return stop(Tilt);
}
bool V4l2Device::PanLeftStop()
{
    return stop(Pan);
}
bool V4l2Device::PanRightStop()
{
    return stop(Pan);
}
bool V4l2Device::ZoomStop()
{
    return stop(Zoom);
}

bool V4l2Device::moveTo(Axis axis, int64_t value)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stepPerTick[axis] = 0;
    }
    return writable(AbsoluteControl[axis]) && set(AbsoluteControl[axis], value);
}

bool V4l2Device::writePosition(Axis axis, int32_t degrees)
{
    if (fd < 0)
        return false;
    if (!writable(AbsoluteControl[axis])) {
        unsupported(std::string("absolute ") + AxisName[axis] + " control");
        return false;
    }
    return moveTo(axis, int64_t(degrees) * ArcSecondsPerDegree);
}

bool V4l2Device::readPosition(Axis axis, int32_t *degrees)
{
    int64_t arcSeconds = 0;
    if (!degrees || !get(AbsoluteControl[axis], arcSeconds))
        return false;
    *degrees = narrow(std::llround(double(arcSeconds) / ArcSecondsPerDegree));
    return true;
}

bool V4l2Device::SetPanPosition(int32_t position)
{
    return writePosition(Pan, position);
}
bool V4l2Device::SetTiltPosition(int32_t position)
{
    return writePosition(Tilt, position);
}
bool V4l2Device::GetPanPosition(int32_t *position)
{
    return readPosition(Pan, position);
}
bool V4l2Device::GetTiltPosition(int32_t *position)
{
    return readPosition(Tilt, position);
}

bool V4l2Device::Home()
{
    if (fd < 0)
        return false;
    bool ok = true;
    for (Axis axis : {Pan, Tilt}) {
        const uint32_t reset = axis == Pan ? V4L2_CID_PAN_RESET : V4L2_CID_TILT_RESET;
        if (writable(reset)) {
            const std::lock_guard<std::mutex> lock(mutex);
            ok = writeLocked(reset, 1) && ok; // a button: the value only triggers it
        } else if (writable(AbsoluteControl[axis]))
            ok = moveTo(axis, controls.at(AbsoluteControl[axis]).defaultValue) && ok;
        else
            ok = false;
    }
    return ok;
}

bool V4l2Device::PtzReset()
{
    const bool home = Home();
    if (!writable(V4L2_CID_ZOOM_ABSOLUTE))
        return home;
    return moveTo(Zoom, controls.at(V4L2_CID_ZOOM_ABSOLUTE).defaultValue) && home;
}

// ---- Presets -------------------------------------------------------------------------------

bool V4l2Device::SetPreset(uint8_t preset)
{
    if (fd < 0)
        return false;
    PresetStore::Position position;
    bool any = false;
    for (int axis = 0; axis < AxisCount; ++axis) {
        int64_t value = 0;
        if (get(AbsoluteControl[axis], value)) {
            position[axis] = value;
            any = true;
        }
    }
    if (!any) {
        unsupported("absolute position to store in a preset");
        return false;
    }
    backend.presets().store(identity, preset, position);
    return true;
}

bool V4l2Device::CallPreset(uint8_t preset)
{
    if (fd < 0)
        return false;
    const auto position = backend.presets().find(identity, preset);
    if (!position)
        return false;
    bool ok = true;
    for (int axis = 0; axis < AxisCount; ++axis)
        if ((*position)[axis])
            ok = moveTo(Axis(axis), *(*position)[axis]) && ok;
    return ok;
}

bool V4l2Device::ClearPreset(uint8_t preset)
{
    if (fd < 0)
        return false;
    backend.presets().erase(identity, preset);
    return true;
}

// ---- Keys ----------------------------------------------------------------------------------

bool V4l2Device::FlipOn()
{
    return setImage(V4L2_CID_VFLIP, 1);
}
bool V4l2Device::FlipOff()
{
    return setImage(V4L2_CID_VFLIP, 0);
}
bool V4l2Device::MirrorOn()
{
    return setImage(V4L2_CID_HFLIP, 1);
}
bool V4l2Device::MirrorOff()
{
    return setImage(V4L2_CID_HFLIP, 0);
}
bool V4l2Device::AutoFocus()
{
    return setImage(V4L2_CID_FOCUS_AUTO, 1);
}
bool V4l2Device::ManualFocus()
{
    return setImage(V4L2_CID_FOCUS_AUTO, 0);
}

bool V4l2Device::FocusStop()
{
    return fd >= 0; // focus is never moved continuously
}

// No standard control exists for these; the camera cannot be told.
bool V4l2Device::IrOn()
{
    return unsupported("infrared control"), false;
}
bool V4l2Device::IrOff()
{
    return unsupported("infrared control"), false;
}
bool V4l2Device::DayMode()
{
    return unsupported("day/night control"), false;
}
bool V4l2Device::NightMode()
{
    return unsupported("day/night control"), false;
}
bool V4l2Device::MenuOn()
{
    return unsupported("on-screen menu"), false;
}
bool V4l2Device::MenuOff()
{
    return unsupported("on-screen menu"), false;
}
bool V4l2Device::FramingAuto()
{
    return unsupported("automatic framing"), false;
}
bool V4l2Device::FramingManual()
{
    return unsupported("automatic framing"), false;
}
