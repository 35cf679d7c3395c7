// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifDevice.h"
#include "NetworkCameras.h"
#include "OnvifModule.h"
#include "Report.h"

namespace {

constexpr int ImageKey = 100; // + the record: a newer value replaces one not yet sent

} // namespace

OnvifDevice::OnvifDevice(OnvifBackend &owner) : NetworkDevice(owner) {}

bool OnvifDevice::Open(const char *index, int)
{
    Close();
    const OnvifBackend::Camera *camera = backend.camera(index);
    if (!camera)
        return false;
    if (reopened(camera->info)) {
        openView(*camera);
        return true;
    }
    std::string error;
    OnvifWire *wire = OnvifModule::wire(error);
    if (!wire) {
        reportOnce(camera->info.name + ": " + error);
        return false;
    }
    OnvifWorker::Address address;
    address.name = camera->info.name;
    address.host = camera->host;
    address.port = camera->port;
    address.user = camera->user;
    if (!address.user.empty() &&
        !NetworkCameras::password(address.name, address.user, address.password, error))
        reportOnce(camera->info.name + ": " +
                   (error.empty() ? "no password kept for user \"" + address.user + "\"" : error));
    opened(camera->info, std::make_unique<OnvifWorker>(*wire, std::move(address), notifier,
                                                       backend.presetTokens()));
    openView(*camera);
    return true;
}

void OnvifDevice::openView(const OnvifBackend::Camera &camera)
{
    View view = configuredView(camera.snapshot, camera.stream);
    view.name = camera.info.name;
    if (!view.source) {
        // The camera's own snapshot, once it has said where: until it says it has none.
        OnvifWorker *const open = worker.get();
        view.source = [open] { return open->view(); };
        view.offered = [open] { return open->offersView(); };
    }
    openPictures("onvif", camera.info.name, std::move(view));
}

bool OnvifDevice::job(OnvifJob::Kind kind, uint32_t needs, const char *what, int preset)
{
    if (lacks(needs, what))
        return false;
    OnvifJob j;
    j.kind = kind;
    j.needs = needs;
    j.what = what;
    j.preset = preset;
    worker->send(std::move(j));
    return true;
}

// ---- Image: the imaging service's settings -------------------------------------------------

bool OnvifDevice::image(int record, int value, const char *what)
{
    if (!worker || !worker->reachable())
        return false;
    ParameterRecord now[PARAM_COUNT];
    worker->copyRecords(now);
    if (worker->waitUntilRead(std::chrono::milliseconds(0)) && !now[record].available)
        return unsupported(what);
    OnvifJob j;
    j.kind = OnvifJob::Image;
    j.record = record;
    j.value = value;
    j.key = ImageKey + record;
    j.what = what;
    worker->send(std::move(j));
    return true;
}

bool OnvifDevice::SetBrightness(int value)
{
    return image(PARAM_BRIGHTNESS, value, "brightness");
}
bool OnvifDevice::SetContrast(int value)
{
    return image(PARAM_CONTRAST, value, "contrast");
}
bool OnvifDevice::SetSaturation(int value)
{
    return image(PARAM_SATURATION, value, "saturation");
}
bool OnvifDevice::SetSharpness(int value)
{
    return image(PARAM_SHARPNESS, value, "sharpness");
}
bool OnvifDevice::SetHue(int)
{
    return unsupported("hue");
}
bool OnvifDevice::SetBacklight(int)
{
    return unsupported("backlight compensation level");
}
bool OnvifDevice::SetGamma(int)
{
    return unsupported("gamma");
}
bool OnvifDevice::SetWhiteBalance(int)
{
    return unsupported("white balance temperature");
}

bool OnvifDevice::SetWhiteBalanceAuto(int automatic)
{
    if (lacks(CAP_WHITE_BALANCE_AUTO, "automatic white balance"))
        return false;
    OnvifJob j;
    j.kind = OnvifJob::Image;
    j.record = PARAM_WHITE_BALANCE_AUTO;
    j.value = automatic ? 1 : 0;
    j.key = ImageKey + PARAM_WHITE_BALANCE_AUTO;
    j.needs = CAP_WHITE_BALANCE_AUTO;
    j.what = "automatic white balance";
    worker->send(std::move(j));
    return true;
}

// ---- Pan, tilt and zoom --------------------------------------------------------------------

bool OnvifDevice::moveTo(int axis, int32_t position)
{
    if (lacks(CAP_POSITION, "absolute position"))
        return false;
    const auto [min, max] = worker->positionRange(axis);
    if (position < min || position > max)
        return false;
    if (axis == 0)
        worker->moveTo(position, std::nullopt);
    else
        worker->moveTo(std::nullopt, position);
    return true;
}

bool OnvifDevice::SetPanPosition(int32_t position)
{
    return moveTo(0, position);
}
bool OnvifDevice::SetTiltPosition(int32_t position)
{
    return moveTo(1, position);
}

bool OnvifDevice::Home()
{
    return job(OnvifJob::Home, CAP_HOME, "home");
}
bool OnvifDevice::PtzReset()
{
    // ONVIF has no reset of its own: the home position is where a reset ends.
    return job(OnvifJob::Home, CAP_PTZ_RESET, "pan/tilt reset");
}

// ---- Presets -------------------------------------------------------------------------------

bool OnvifDevice::SetPreset(uint8_t preset)
{
    if (!job(OnvifJob::SetPreset, CAP_PRESETS, "presets", preset))
        return false;
    keepPreset(preset, true);
    presetStored(preset);
    return true;
}
bool OnvifDevice::CallPreset(uint8_t preset)
{
    return job(OnvifJob::GotoPreset, CAP_PRESETS, "presets", preset);
}
bool OnvifDevice::ClearPreset(uint8_t preset)
{
    if (!job(OnvifJob::RemovePreset, CAP_PRESETS, "presets", preset))
        return false;
    keepPreset(preset, false);
    presetCleared(preset);
    return true;
}

void OnvifDevice::keepPreset(uint8_t preset, bool stored)
{
    std::string error;
    bool kept = true;
    if (!stored) {
        kept = backend.presets().erase(name, preset, error);
    } else {
        PresetStore::Position at;
        for (int axis = 0; axis < 2; ++axis)
            if (const auto p = worker->position(axis))
                at[size_t(axis)] = *p;
        kept = backend.presets().store(name, preset, at, error);
    }
    // The camera has the preset all the same: only its name and speed are at stake.
    if (!kept)
        report("what the panel keeps of preset " + std::to_string(int(preset)) + " of " + name +
               " is lost: " + error);
}

// ---- What ONVIF's PTZ and imaging services do not offer ------------------------------------

bool OnvifDevice::FlipOn()
{
    return unsupported("flip");
}
bool OnvifDevice::FlipOff()
{
    return unsupported("flip");
}
bool OnvifDevice::MirrorOn()
{
    return unsupported("mirror");
}
bool OnvifDevice::MirrorOff()
{
    return unsupported("mirror");
}
bool OnvifDevice::IrOn()
{
    return unsupported("IR switch");
}
bool OnvifDevice::IrOff()
{
    return unsupported("IR switch");
}
bool OnvifDevice::DayMode()
{
    return unsupported("day/night switch");
}
bool OnvifDevice::NightMode()
{
    return unsupported("day/night switch");
}
bool OnvifDevice::MenuOn()
{
    return unsupported("on-screen menu");
}
bool OnvifDevice::MenuOff()
{
    return false; // sent by the panel itself at every connection: not worth a word
}
bool OnvifDevice::AutoFocus()
{
    return unsupported("focus mode");
}
bool OnvifDevice::ManualFocus()
{
    return unsupported("focus mode");
}
bool OnvifDevice::SetTally(int)
{
    return unsupported("tally lamp"); // the PTZ and imaging services define no lamp
}
