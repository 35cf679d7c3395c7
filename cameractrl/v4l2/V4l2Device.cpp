// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2Device.h"
#include "Report.h"
#include "V4l2Capture.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace V4l2Controls;

namespace {

constexpr int64_t ArcSecondsPerDegree = 3600;
// The longest the caller's thread waits for a position; a slower camera reports it through
// the change listener when it has answered.
constexpr auto PositionWait = std::chrono::milliseconds(40);
// As long for a preset to be written: one that cannot be is refused there and then, unless the
// camera is too slow to tell its position in time (then it is said on stderr only).
constexpr auto PresetWait = PositionWait;

} // namespace

V4l2Device::V4l2Device(V4l2Backend &owner) : CameraWorkerDevice(owner) {}

bool V4l2Device::Open(const char *index, int)
{
    Close();
    const V4l2Backend::Camera *camera = backend.camera(index);
    if (!camera)
        return false;
    if (closed) {
        // The same camera again (the panel reconnects as it lists the cameras): its reading
        // goes on.
        const V4l2Worker::Camera &was = closed->opened();
        if (was.node == camera->info.path && was.identity == camera->identity && closed->resume()) {
            opened = *camera;
            worker = std::move(closed);
            openView();
            return true;
        }
        backend.retire(std::move(closed));
    }
    const int fd = backend.io()->open(camera->info.path);
    if (fd < 0) {
        reportOnce("cannot open " + camera->info.path + " (" + camera->info.name +
                   "): " + std::strerror(-fd) +
                   (fd == -EACCES ? "; is this user in the video group?" : ""));
        return false;
    }
    opened = *camera;
    worker =
        std::make_unique<V4l2Worker>(backend.io(), fd,
                                     V4l2Worker::Camera{camera->info.path, camera->info.name,
                                                        camera->identity, camera->olderIdentity},
                                     notifier, backend.stores());
    openView();
    // Not waited for: the listener hears of each control as it arrives.
    return true;
}

void V4l2Device::openView()
{
    View view;
    view.name = opened.info.name;
    if (opened.streams)
        view.source = [io = backend.io(), node = opened.info.path] {
            return std::make_unique<V4l2Capture>(io, node);
        };
    openPictures("usb", opened.identity, std::move(view));
}

bool V4l2Device::unsupported(const std::string &what)
{
    if (worker)
        reportOnce(opened.info.name + " (" + opened.info.path + ") offers no " + what);
    return false;
}

bool V4l2Device::lacks(uint32_t capability, const std::string &what)
{
    // Until the camera is read, what it can do is not known: let the worker decide then.
    if (!worker || !worker->waitUntilRead(std::chrono::milliseconds(0)))
        return !worker;
    if (worker->capabilities() & capability)
        return false;
    unsupported(what);
    return true;
}

bool V4l2Device::lacksControl(uint32_t id, bool writing)
{
    if (!worker->looked({id}))
        return false;
    const V4l2ControlMap controls = worker->controls();
    return writing ? !writable(controls, id) : !readable(controls, id);
}

bool V4l2Device::set(uint32_t id, int64_t value, bool remember)
{
    if (!worker)
        return false;
    if (lacksControl(id, true))
        return unsupported(nameOf(id));
    worker->write({{id, value}}, remember);
    return true;
}

bool V4l2Device::writeFrom(std::vector<uint32_t> needs, V4l2Worker::Maker make,
                           const std::string &what, bool remember)
{
    if (!worker)
        return false;
    if (!worker->looked(needs)) {
        worker->writeLater(std::move(needs), std::move(make), what, remember);
        return true;
    }
    V4l2Worker::Writes writes = make(worker->controls());
    if (writes.empty())
        return unsupported(what);
    worker->write(std::move(writes), remember);
    return true;
}

// ---- Image ---------------------------------------------------------------------------------

bool V4l2Device::ReadParameters()
{
    if (!worker)
        return false;
    fillRecords(worker->controls(), parameters);
    return true;
}

bool V4l2Device::SetBrightness(int value)
{
    return set(V4L2_CID_BRIGHTNESS, value);
}
bool V4l2Device::SetHue(int value)
{
    return set(V4L2_CID_HUE, value);
}
bool V4l2Device::SetBacklight(int value)
{
    return set(V4L2_CID_BACKLIGHT_COMPENSATION, value);
}
bool V4l2Device::SetGamma(int value)
{
    return set(V4L2_CID_GAMMA, value);
}
bool V4l2Device::SetContrast(int value)
{
    return set(V4L2_CID_CONTRAST, value);
}
bool V4l2Device::SetSaturation(int value)
{
    return set(V4L2_CID_SATURATION, value);
}
bool V4l2Device::SetSharpness(int value)
{
    return set(V4L2_CID_SHARPNESS, value);
}

bool V4l2Device::SetWhiteBalance(int value)
{
    const uint32_t temperature = V4L2_CID_WHITE_BALANCE_TEMPERATURE;
    const auto notifyTo = notifier;
    return writeFrom(
        {V4L2_CID_AUTO_WHITE_BALANCE, temperature},
        [value, notifyTo](const V4l2ControlMap &controls) {
            V4l2Worker::Writes writes;
            if (!writable(controls, V4L2_CID_WHITE_BALANCE_TEMPERATURE))
                return writes;
            // Under automatic white balance the driver refuses a temperature: setting one
            // means manual, switched in the same request.
            const auto automatic = controls.find(V4L2_CID_AUTO_WHITE_BALANCE);
            const bool switchOff = automatic != controls.end() && automatic->second.known &&
                                   automatic->second.value != 0 &&
                                   writable(controls, V4L2_CID_AUTO_WHITE_BALANCE);
            if (switchOff)
                writes.emplace_back(V4L2_CID_AUTO_WHITE_BALANCE, 0);
            writes.emplace_back(V4L2_CID_WHITE_BALANCE_TEMPERATURE, value);
            if (switchOff)
                notifyTo->notify(CHANGED_PARAMETERS); // the caller did not ask for that one
            return writes;
        },
        nameOf(temperature), true);
}

bool V4l2Device::SetWhiteBalanceAuto(int automatic)
{
    return set(V4L2_CID_AUTO_WHITE_BALANCE, automatic ? 1 : 0);
}

bool V4l2Device::SetFlicker(int mode)
{
    if (mode < 0 || mode > 3) // 3: automatic, where the menu has it
        return false;
    const uint32_t id = V4L2_CID_POWER_LINE_FREQUENCY;
    static const char *const modes[] = {"anti-flicker off", "anti-flicker at 50 Hz",
                                        "anti-flicker at 60 Hz", "automatic anti-flicker"};
    const std::string what = modes[mode];
    if (!worker)
        return false;
    if (worker->looked({id})) {
        const V4l2ControlMap controls = worker->controls();
        if (!writable(controls, id))
            return unsupported(nameOf(id));
        const auto entry = flickerEntry(controls.at(id), mode);
        if (!entry)
            return unsupported(what);
        worker->write({{id, *entry}}, true);
        return true;
    }
    worker->writeLater(
        {id},
        [mode](const V4l2ControlMap &controls) {
            V4l2Worker::Writes writes;
            if (writable(controls, V4L2_CID_POWER_LINE_FREQUENCY))
                if (const auto entry =
                        flickerEntry(controls.at(V4L2_CID_POWER_LINE_FREQUENCY), mode))
                    writes.emplace_back(V4L2_CID_POWER_LINE_FREQUENCY, *entry);
            return writes;
        },
        what, true);
    return true;
}

bool V4l2Device::RestoreImageDefaults()
{
    std::vector<uint32_t> needs;
    for (int position :
         {PARAM_BRIGHTNESS, PARAM_CONTRAST, PARAM_HUE, PARAM_SATURATION, PARAM_SHARPNESS,
          PARAM_GAMMA, PARAM_BACKLIGHT, PARAM_WHITE_BALANCE, PARAM_WHITE_BALANCE_AUTO})
        needs.push_back(recordControl(position));
    return writeFrom(
        needs,
        [](const V4l2ControlMap &controls) {
            const auto automatic = controls.find(V4L2_CID_AUTO_WHITE_BALANCE);
            const bool autoWhite = automatic != controls.end() && automatic->second.value != 0;
            V4l2Worker::Writes writes;
            for (int position :
                 {PARAM_BRIGHTNESS, PARAM_CONTRAST, PARAM_HUE, PARAM_SATURATION, PARAM_SHARPNESS,
                  PARAM_GAMMA, PARAM_BACKLIGHT, PARAM_WHITE_BALANCE}) {
                const uint32_t id = recordControl(position);
                // The white-balance mode stays as it is, and in automatic the camera picks.
                if (!writable(controls, id) ||
                    (id == V4L2_CID_WHITE_BALANCE_TEMPERATURE && autoWhite))
                    continue;
                writes.emplace_back(id, controls.at(id).defaultValue);
            }
            return writes;
        },
        "image settings", true);
}

// ---- Pan, tilt and zoom --------------------------------------------------------------------

bool V4l2Device::moveTo(Axis axis, int32_t degrees)
{
    if (!worker)
        return false;
    const uint32_t id = absoluteControl(axis);
    if (lacksControl(id, true))
        return unsupported(nameOf(id) + std::string(" control"));
    if (worker->looked({id})) {
        const auto [lowest, highest] = degreeRange(worker->controls().at(id));
        if (degrees < lowest || degrees > highest)
            return false;
    }
    // A pan waits a moment for the tilt that usually follows, to go out as one move.
    worker->write({{id, int64_t(degrees) * ArcSecondsPerDegree}}, false, axis == Pan);
    return true;
}

bool V4l2Device::SetZoomPosition(int32_t position)
{
    if (!worker)
        return false;
    const uint32_t id = absoluteControl(Zoom);
    if (lacksControl(id, true))
        return unsupported(nameOf(id) + std::string(" control"));
    if (worker->looked({id})) {
        const V4l2Control c = worker->controls().at(id);
        if (position < c.minimum || position > c.maximum)
            return false;
    }
    worker->write({{id, position}}, false);
    return true;
}

bool V4l2Device::GetZoomPosition(int32_t *position)
{
    if (!worker || !position)
        return false;
    if (lacksControl(absoluteControl(Zoom), false))
        return unsupported(nameOf(absoluteControl(Zoom)) + std::string(" reading"));
    if (!worker->refreshPosition(PositionFreshness, PositionWait))
        return false;
    const auto value = worker->position(Zoom);
    if (!value)
        return false;
    *position = static_cast<int32_t>(std::clamp<int64_t>(*value, INT32_MIN, INT32_MAX));
    return true;
}

bool V4l2Device::SetPanTiltPosition(int32_t pan, int32_t tilt, int, int)
{
    // UVC has no speed for an absolute move: the camera goes at its own.
    if (lacks(CAP_PAN_TILT_MOVE, "absolute pan and tilt"))
        return false;
    const uint32_t panId = absoluteControl(Pan), tiltId = absoluteControl(Tilt);
    if (worker->looked({panId, tiltId})) {
        const V4l2ControlMap controls = worker->controls();
        for (const auto &[id, degrees] : {std::pair{panId, pan}, {tiltId, tilt}}) {
            const auto [lowest, highest] = degreeRange(controls.at(id));
            if (degrees < lowest || degrees > highest)
                return false;
        }
    }
    worker->write({{panId, int64_t(pan) * ArcSecondsPerDegree},
                   {tiltId, int64_t(tilt) * ArcSecondsPerDegree}},
                  false);
    return true;
}

bool V4l2Device::FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom)
{
    if (!worker || !pan || !tilt || !zoom)
        return false;
    const V4l2ControlMap controls = worker->controls();
    int32_t *const out[] = {pan, tilt, zoom};
    constexpr int fastest[] = {24, 16, 7};
    for (Axis axis : {Pan, Tilt, Zoom}) {
        const auto found = controls.find(absoluteControl(axis));
        const double rate =
            found == controls.end() ? 0 : stepRate(found->second, axis, fastest[axis]);
        // Pan and tilt in whole degrees, as the positions are.
        *out[axis] = int32_t(axis == Zoom ? rate : rate / ArcSecondsPerDegree);
    }
    return true;
}

bool V4l2Device::readPosition(Axis axis, int32_t *degrees)
{
    if (!worker || !degrees)
        return false;
    if (lacksControl(absoluteControl(axis), false))
        return unsupported(nameOf(absoluteControl(axis)) + std::string(" reading"));
    // What a gone camera told last is no position: the caller may be asking whether it is
    // there at all.
    if (!worker->refreshPosition(PositionFreshness, PositionWait))
        return false;
    const auto arcSeconds = worker->position(axis);
    if (!arcSeconds)
        return false;
    *degrees = static_cast<int32_t>(std::clamp<int64_t>(
        std::llround(double(*arcSeconds) / ArcSecondsPerDegree), INT32_MIN, INT32_MAX));
    return true;
}

bool V4l2Device::SetPanPosition(int32_t position)
{
    return moveTo(Pan, position);
}
bool V4l2Device::SetTiltPosition(int32_t position)
{
    return moveTo(Tilt, position);
}
bool V4l2Device::GetPanPosition(int32_t *position)
{
    return readPosition(Pan, position);
}
bool V4l2Device::GetTiltPosition(int32_t *position)
{
    return readPosition(Tilt, position);
}

bool V4l2Device::LastPosition(int32_t *pan, int32_t *tilt)
{
    if (!worker || !pan || !tilt)
        return false;
    const auto p = worker->position(Pan), t = worker->position(Tilt);
    if (!p && !t)
        return false;
    const auto degrees = [](int64_t arcSeconds) {
        return static_cast<int32_t>(std::clamp<int64_t>(
            std::llround(double(arcSeconds) / ArcSecondsPerDegree), INT32_MIN, INT32_MAX));
    };
    *pan = p ? degrees(*p) : 0;
    *tilt = t ? degrees(*t) : 0;
    return true;
}

bool V4l2Device::home(bool zoomToo)
{
    const std::string what = zoomToo ? "pan/tilt/zoom reset" : "home";
    if (lacks(zoomToo ? CAP_PTZ_RESET : CAP_HOME, what))
        return false;
    return writeFrom(
        {V4L2_CID_PAN_RESET, V4L2_CID_TILT_RESET, absoluteControl(Pan), absoluteControl(Tilt),
         absoluteControl(Zoom)},
        [zoomToo](const V4l2ControlMap &controls) {
            V4l2Worker::Writes writes;
            if (writable(controls, V4L2_CID_PAN_RESET) && writable(controls, V4L2_CID_TILT_RESET)) {
                // Buttons: the value only triggers them.
                writes = {{V4L2_CID_PAN_RESET, 1}, {V4L2_CID_TILT_RESET, 1}};
            } else {
                for (Axis axis : {Pan, Tilt})
                    if (writable(controls, absoluteControl(axis)))
                        writes.emplace_back(absoluteControl(axis),
                                            controls.at(absoluteControl(axis)).defaultValue);
            }
            if (zoomToo && writable(controls, absoluteControl(Zoom)))
                writes.emplace_back(absoluteControl(Zoom),
                                    controls.at(absoluteControl(Zoom)).defaultValue);
            return writes;
        },
        what);
}

bool V4l2Device::Home()
{
    return home(false);
}

bool V4l2Device::PtzReset()
{
    return home(true);
}

// ---- Presets -------------------------------------------------------------------------------

bool V4l2Device::SetPreset(uint8_t preset)
{
    if (lacks(CAP_PRESETS, "absolute position to store in a preset") ||
        !worker->storePreset(preset, PresetWait))
        return false;
    presetStored(preset);
    return true;
}

bool V4l2Device::CallPreset(uint8_t preset)
{
    if (lacks(CAP_PRESETS, "absolute position to recall a preset"))
        return false;
    const auto position = backend.stores().presets->find(opened.identity, preset);
    if (!position)
        return false;
    const PresetStore::Position at = *position;
    return writeFrom(
        {absoluteControl(Pan), absoluteControl(Tilt), absoluteControl(Zoom)},
        [at](const V4l2ControlMap &controls) {
            // Pan and tilt in one request: alone, either would stop the other short.
            V4l2Worker::Writes writes;
            for (Axis axis : {Pan, Tilt, Zoom})
                if (at[axis] && writable(controls, absoluteControl(axis)))
                    writes.emplace_back(absoluteControl(axis), *at[axis]);
            return writes;
        },
        "absolute position to recall a preset");
}

bool V4l2Device::ReadPreset(uint8_t preset, PresetRecord *record)
{
    if (!worker || !record)
        return false;
    *record = PresetStore::record(backend.stores().presets->entry(opened.identity, preset),
                                  ArcSecondsPerDegree);
    return true;
}

bool V4l2Device::WritePreset(uint8_t preset, const PresetRecord *record)
{
    if (!worker || !record)
        return false;
    std::string error;
    if (backend.stores().presets->put(opened.identity, preset,
                                      PresetStore::entryOf(*record, ArcSecondsPerDegree), error))
        return true;
    report("preset " + std::to_string(int(preset)) + " of " + opened.info.name +
           " is not kept: " + error);
    return false;
}

bool V4l2Device::ClearPreset(uint8_t preset)
{
    if (!worker || !worker->clearPreset(preset, PresetWait))
        return false;
    presetCleared(preset);
    return true;
}

// ---- Keys ----------------------------------------------------------------------------------

bool V4l2Device::FlipOn()
{
    return set(V4L2_CID_VFLIP, 1, false);
}
bool V4l2Device::FlipOff()
{
    return set(V4L2_CID_VFLIP, 0, false);
}
bool V4l2Device::MirrorOn()
{
    return set(V4L2_CID_HFLIP, 1, false);
}
bool V4l2Device::MirrorOff()
{
    return set(V4L2_CID_HFLIP, 0, false);
}
bool V4l2Device::AutoFocus()
{
    return set(V4L2_CID_FOCUS_AUTO, 1, false);
}
bool V4l2Device::ManualFocus()
{
    return set(V4L2_CID_FOCUS_AUTO, 0, false);
}

// No standard control exists for these; the keys are greyed, and a call says so.
bool V4l2Device::IrOn()
{
    return unsupported("infrared control");
}
bool V4l2Device::IrOff()
{
    return unsupported("infrared control");
}
bool V4l2Device::DayMode()
{
    return unsupported("day/night control");
}
bool V4l2Device::NightMode()
{
    return unsupported("day/night control");
}
bool V4l2Device::MenuOn()
{
    return unsupported("on-screen menu");
}
bool V4l2Device::MenuOff()
{
    return false; // sent on every connection and at exit: nothing to say about it
}
bool V4l2Device::FramingAuto()
{
    return unsupported("automatic framing");
}
bool V4l2Device::FramingManual()
{
    return unsupported("automatic framing");
}

bool V4l2Device::SetTally(int)
{
    return unsupported("tally lamp"); // UVC defines no lamp control
}

bool V4l2Device::WaitUntilRead(int milliseconds)
{
    return worker && worker->waitUntilRead(std::chrono::milliseconds(milliseconds));
}
