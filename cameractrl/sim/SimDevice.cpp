// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimDevice.h"
#include "Report.h"
#include "SimBackend.h"
#include "SimCamera.h"
#include "SimFileWatcher.h"
#include "SimView.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint32_t Everything =
    CAP_PAN_TILT | CAP_ZOOM | CAP_POSITION | CAP_PRESETS | CAP_HOME | CAP_PTZ_RESET | CAP_FLIP |
    CAP_MIRROR | CAP_IR | CAP_DAY_NIGHT | CAP_MENU | CAP_FRAMING | CAP_IMAGE_DEFAULTS |
    CAP_WHITE_BALANCE_AUTO | CAP_FLICKER | CAP_TALLY | CAP_ZOOM_POSITION | CAP_PAN_TILT_MOVE;

} // namespace

SimDevice::SimDevice(SimBackend &owner) : backend(owner) {}

SimDevice::~SimDevice()
{
    Close();
}

bool SimDevice::Open(const char *index, int)
{
    Close();
    const auto number = Backend::indexOf(index);
    if (!number)
        return false;
    std::string path;
    camera = backend.open(*number, path);
    if (!camera)
        return false;
    name = camera->config().name;
    View view;
    view.key = "sim " + name;
    view.name = name;
    view.source = [simulated = camera] { return std::make_unique<SimView>(simulated); };
    view.offered = [simulated = camera] { return !(simulated->lacks() & CAP_PICTURE); };
    view.moving = [simulated = camera] { return simulated->moving(); };
    view.notifier = notifier;
    view.live = !(camera->lacks() & CAP_LIVE_VIEW);
    openPictures(std::move(view));
    if (!path.empty()) {
        // Editing the file while the camera is open is another program changing it.
        auto edited = camera;
        auto listener = notifier;
        watcher = std::make_unique<SimFileWatcher>(path, [edited, listener, path] {
            if (const auto config = SimCameraConfig::load(path))
                listener->notify(edited->applyEdit(*config));
        });
    }
    return true;
}

bool SimDevice::Close()
{
    closePictures();
    watcher.reset();
    camera.reset();
    return true;
}

bool SimDevice::answers()
{
    if (!isOpen())
        return false;
    const int32_t health = camera->health();
    if (health == HEALTH_ANSWERING || health == HEALTH_SLOW)
        return true;
    reportOnce(name + (health == HEALTH_REFUSED ? " refuses its credentials"
                       : health == HEALTH_BUSY  ? " is held by another program"
                                                : " does not answer"));
    return false;
}

int32_t SimDevice::Health()
{
    return isOpen() ? camera->health() : HEALTH_ANSWERING;
}

bool SimDevice::can(uint32_t capability, const char *what)
{
    if (!answers())
        return false;
    if (!(camera->lacks() & capability))
        return true;
    reportOnce(name + " offers no " + what);
    return false;
}

bool SimDevice::offers(uint32_t capability, const char *what)
{
    if (!answers())
        return false;
    if (Capabilities() & capability)
        return true;
    reportOnce(name + " offers no " + what);
    return false;
}

uint32_t SimDevice::Capabilities()
{
    if (!isOpen() || (camera->health() != HEALTH_ANSWERING && camera->health() != HEALTH_SLOW))
        return 0;
    uint32_t lacking = camera->lacks();
    // Neither can go to a position without the motion it is one of.
    if (lacking & (CAP_POSITION | CAP_PAN_TILT))
        lacking |= CAP_PAN_TILT_MOVE;
    if (lacking & CAP_ZOOM)
        lacking |= CAP_ZOOM_POSITION;
    if (lacking & CAP_PICTURE)
        lacking |= CAP_LIVE_VIEW;
    return (Everything | pictureCapabilities()) & ~lacking;
}

void SimDevice::SetChangeListener(ChangeListener listener, void *context)
{
    notifier->set(listener, context);
}

bool SimDevice::move(int axis, int direction, int speed)
{
    if (!can(axis == SimCamera::Zoom ? CAP_ZOOM : CAP_PAN_TILT,
             axis == SimCamera::Zoom ? "zoom" : "pan and tilt"))
        return false;
    camera->startMotion(SimCamera::Axis(axis), direction, speed);
    return true;
}

bool SimDevice::stop(int axis, int direction)
{
    if (!can(axis == SimCamera::Zoom ? CAP_ZOOM : CAP_PAN_TILT,
             axis == SimCamera::Zoom ? "zoom" : "pan and tilt"))
        return false;
    camera->stopMotion(SimCamera::Axis(axis), direction);
    return true;
}

bool SimDevice::setImage(int index, int value)
{
    if (!answers())
        return false;
    camera->setImage(index, value);
    return true;
}

bool SimDevice::TiltUp(int speed)
{
    return move(SimCamera::Tilt, +1, speed);
}
bool SimDevice::TiltUpStop()
{
    return stop(SimCamera::Tilt, +1);
}
bool SimDevice::TiltDown(int speed)
{
    return move(SimCamera::Tilt, -1, speed);
}
bool SimDevice::TiltDownStop()
{
    return stop(SimCamera::Tilt, -1);
}
bool SimDevice::PanLeft(int speed)
{
    return move(SimCamera::Pan, -1, speed);
}
bool SimDevice::PanLeftStop()
{
    return stop(SimCamera::Pan, -1);
}
bool SimDevice::PanRight(int speed)
{
    return move(SimCamera::Pan, +1, speed);
}
bool SimDevice::PanRightStop()
{
    return stop(SimCamera::Pan, +1);
}
bool SimDevice::ZoomIn(int speed)
{
    return move(SimCamera::Zoom, +1, speed);
}
bool SimDevice::ZoomOut(int speed)
{
    return move(SimCamera::Zoom, -1, speed);
}
bool SimDevice::ZoomStop()
{
    return stop(SimCamera::Zoom, -1) && stop(SimCamera::Zoom, +1);
}

// The simulation has no lens, image pipeline or on-screen menu: these only need a camera
// that does not say it lacks them.
bool SimDevice::ManualFocus()
{
    return isOpen();
}
bool SimDevice::AutoFocus()
{
    return isOpen();
}
bool SimDevice::FocusStop()
{
    return isOpen();
}
bool SimDevice::FlipOn()
{
    return can(CAP_FLIP, "flip");
}
bool SimDevice::FlipOff()
{
    return can(CAP_FLIP, "flip");
}
bool SimDevice::MirrorOn()
{
    return can(CAP_MIRROR, "mirror");
}
bool SimDevice::MirrorOff()
{
    return can(CAP_MIRROR, "mirror");
}
bool SimDevice::MenuOn()
{
    return can(CAP_MENU, "on-screen menu");
}
bool SimDevice::MenuOff()
{
    // Sent on every connection and at exit: a camera without a menu has nothing to say.
    return isOpen() && !(camera->lacks() & CAP_MENU);
}
bool SimDevice::FramingAuto()
{
    return can(CAP_FRAMING, "automatic framing");
}
bool SimDevice::FramingManual()
{
    return can(CAP_FRAMING, "automatic framing");
}
bool SimDevice::IrOn()
{
    return can(CAP_IR, "infrared control");
}
bool SimDevice::IrOff()
{
    return can(CAP_IR, "infrared control");
}
bool SimDevice::DayMode()
{
    return can(CAP_DAY_NIGHT, "day/night control");
}
bool SimDevice::NightMode()
{
    return can(CAP_DAY_NIGHT, "day/night control");
}

bool SimDevice::SetWhiteBalanceAuto(int automatic)
{
    return can(CAP_WHITE_BALANCE_AUTO, "automatic white balance") &&
           setImage(PARAM_WHITE_BALANCE_AUTO, automatic ? 1 : 0);
}

bool SimDevice::SetFlicker(int mode)
{
    if (!can(CAP_FLICKER, "anti-flicker"))
        return false;
    // Off only where the camera's file gives it (its record starts at 0).
    ParameterRecord records[PARAM_COUNT];
    camera->copyRecords(records);
    if (mode < records[PARAM_FLICKER].minimum || mode < 0 || mode > 2) {
        report(name + " has no anti-flicker mode " + std::to_string(mode));
        return false;
    }
    return setImage(PARAM_FLICKER, mode);
}

bool SimDevice::Home()
{
    if (!can(CAP_HOME, "home"))
        return false;
    camera->setPosition(SimCamera::Pan, 0);
    camera->setPosition(SimCamera::Tilt, 0);
    return true;
}

bool SimDevice::PtzReset()
{
    if (!can(CAP_PTZ_RESET, "pan/tilt/zoom reset"))
        return false;
    for (auto axis : {SimCamera::Pan, SimCamera::Tilt, SimCamera::Zoom})
        camera->setPosition(axis, 0);
    return true;
}

bool SimDevice::RestoreImageDefaults()
{
    if (!can(CAP_IMAGE_DEFAULTS, "image settings"))
        return false;
    camera->restoreImageDefaults();
    return true;
}

bool SimDevice::ClearPreset(uint8_t preset)
{
    if (!can(CAP_PRESETS, "presets"))
        return false;
    std::string error;
    if (camera->clearPreset(preset, error)) {
        presetCleared(preset);
        return true;
    }
    report("preset " + std::to_string(preset) + " of " + name + " is not cleared: " + error);
    return false;
}

bool SimDevice::SetPreset(uint8_t preset)
{
    if (!can(CAP_PRESETS, "presets"))
        return false;
    std::string error;
    if (camera->storePreset(preset, error)) {
        presetStored(preset);
        return true;
    }
    report("preset " + std::to_string(preset) + " of " + name + " is not stored: " + error);
    return false;
}

bool SimDevice::CallPreset(uint8_t preset)
{
    return can(CAP_PRESETS, "presets") && camera->recallPreset(preset);
}

bool SimDevice::SetBrightness(int value)
{
    return setImage(PARAM_BRIGHTNESS, value);
}
bool SimDevice::SetHue(int value)
{
    return setImage(PARAM_HUE, value);
}
bool SimDevice::SetBacklight(int value)
{
    return setImage(PARAM_BACKLIGHT, value);
}
bool SimDevice::SetGamma(int value)
{
    return setImage(PARAM_GAMMA, value);
}
bool SimDevice::SetContrast(int value)
{
    return setImage(PARAM_CONTRAST, value);
}
bool SimDevice::SetSaturation(int value)
{
    return setImage(PARAM_SATURATION, value);
}
bool SimDevice::SetSharpness(int value)
{
    return setImage(PARAM_SHARPNESS, value);
}

bool SimDevice::SetWhiteBalance(int value)
{
    if (!isOpen())
        return false;
    // Like a real camera's driver: a temperature means manual white balance.
    if (camera->record(PARAM_WHITE_BALANCE_AUTO) != 0) {
        camera->setImage(PARAM_WHITE_BALANCE_AUTO, 0);
        notifier->notify(CHANGED_PARAMETERS);
    }
    return setImage(PARAM_WHITE_BALANCE, value);
}

bool SimDevice::ReadParameters()
{
    if (!isOpen())
        return false;
    camera->copyRecords(parameters);
    return true;
}

bool SimDevice::setPosition(int axis, int32_t position)
{
    if (!can(CAP_POSITION, "absolute position"))
        return false;
    if (!SimCamera::reaches(SimCamera::Axis(axis), position)) {
        report(name + (axis == SimCamera::Pan ? " cannot pan to " : " cannot tilt to ") +
               std::to_string(position));
        return false;
    }
    camera->setPosition(SimCamera::Axis(axis), position);
    return true;
}

bool SimDevice::SetPanPosition(int32_t position)
{
    return setPosition(SimCamera::Pan, position);
}

bool SimDevice::SetTiltPosition(int32_t position)
{
    return setPosition(SimCamera::Tilt, position);
}

bool SimDevice::GetPanPosition(int32_t *position)
{
    if (!position || !can(CAP_POSITION, "absolute position"))
        return false;
    *position = camera->position(SimCamera::Pan);
    return true;
}

bool SimDevice::GetTiltPosition(int32_t *position)
{
    if (!position || !can(CAP_POSITION, "absolute position"))
        return false;
    *position = camera->position(SimCamera::Tilt);
    return true;
}

bool SimDevice::LastPosition(int32_t *pan, int32_t *tilt)
{
    if (!isOpen() || !pan || !tilt || (camera->lacks() & CAP_POSITION))
        return false;
    *pan = camera->position(SimCamera::Pan);
    *tilt = camera->position(SimCamera::Tilt);
    return true;
}

bool SimDevice::WaitUntilSent(int)
{
    return true; // the simulation takes each call at once
}

bool SimDevice::AskPosition()
{
    // The simulation knows where it is at once.
    if (!isOpen() || (camera->lacks() & CAP_POSITION))
        return false;
    notifier->notify(CHANGED_POSITION);
    return true;
}

bool SimDevice::SetTally(int state)
{
    return state >= 0 && state <= 2 && can(CAP_TALLY, "tally lamp");
}

bool SimDevice::SetZoomPosition(int32_t position)
{
    if (!offers(CAP_ZOOM_POSITION, "absolute zoom"))
        return false;
    if (!SimCamera::reaches(SimCamera::Zoom, position)) {
        report(name + " cannot zoom to " + std::to_string(position));
        return false;
    }
    camera->setPosition(SimCamera::Zoom, position);
    return true;
}

bool SimDevice::GetZoomPosition(int32_t *position)
{
    if (!position || !offers(CAP_ZOOM_POSITION, "absolute zoom"))
        return false;
    *position = camera->position(SimCamera::Zoom);
    return true;
}

bool SimDevice::SetPanTiltPosition(int32_t pan, int32_t tilt, int, int)
{
    if (!offers(CAP_PAN_TILT_MOVE, "absolute position"))
        return false;
    if (!SimCamera::reaches(SimCamera::Pan, pan) || !SimCamera::reaches(SimCamera::Tilt, tilt)) {
        report(name + " cannot move to " + std::to_string(pan) + "," + std::to_string(tilt));
        return false;
    }
    // The simulation arrives at once: whoever wants a glide steps it.
    camera->setPosition(SimCamera::Pan, pan);
    camera->setPosition(SimCamera::Tilt, tilt);
    return true;
}

bool SimDevice::WritePreset(uint8_t preset, const PresetRecord *record)
{
    if (!record || !can(CAP_PRESETS, "presets"))
        return false;
    std::string error;
    if (camera->writePreset(preset, *record, error))
        return true;
    report("preset " + std::to_string(preset) + " of " + name + " is not kept: " + error);
    return false;
}

bool SimDevice::ReadPreset(uint8_t preset, PresetRecord *record)
{
    if (!record || !isOpen() || (camera->lacks() & CAP_PRESETS))
        return false;
    *record = camera->readPreset(preset);
    return true;
}

bool SimDevice::FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom)
{
    if (!pan || !tilt || !zoom || !isOpen())
        return false;
    *pan = SimCamera::fastest(SimCamera::Pan);
    *tilt = SimCamera::fastest(SimCamera::Tilt);
    *zoom = SimCamera::fastest(SimCamera::Zoom);
    return true;
}
