// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaDevice.h"
#include "Report.h"

#include <algorithm>

namespace {

constexpr int ImageKey = 100; // + the record: a newer value replaces one not yet sent
// VISCA does not tell how fast a camera moves: what common ones do at their fastest, in
// their units a second (pan and tilt about 14 a degree, zoom across in three seconds).
constexpr int32_t FastestPan = 1400, FastestTilt = 1200, FastestZoom = Visca::ZoomMax / 3;

} // namespace

ViscaDevice::ViscaDevice(ViscaBackend &owner) : NetworkDevice(owner) {}

bool ViscaDevice::Open(const char *index, int)
{
    Close();
    const ViscaBackend::Camera *camera = backend.camera(index);
    if (!camera)
        return false;
    if (!reopened(camera->info))
        opened(camera->info,
               std::make_unique<ViscaWorker>(
                   std::make_unique<ViscaLink>(camera->transport, camera->host, camera->port),
                   camera->info.name, notifier));
    View view = configuredView(camera->snapshot, camera->stream);
    view.name = camera->info.name;
    openPictures("visca", camera->info.name, std::move(view));
    return true;
}

bool ViscaDevice::request(Visca::Bytes message, uint32_t needs, const char *what, bool untilAck)
{
    // Without a camera open, as every operation: focus needs no capability to be checked.
    if (!worker || (needs && lacks(needs, what)))
        return false;
    Request r;
    r.message = std::move(message);
    r.needs = needs;
    r.what = what;
    r.untilAck = untilAck;
    worker->send(std::move(r));
    return true;
}

// ---- Image ---------------------------------------------------------------------------------

bool ViscaDevice::image(int record, int value)
{
    const Visca::ImageItem *item = Visca::imageItem(record);
    if (!worker || !worker->reachable() || !item)
        return false;
    ParameterRecord now[PARAM_COUNT];
    worker->copyRecords(now);
    // Before the camera has answered its inquiry, the camera itself says whether it can; once
    // it has refused the control, or never answered for it, it has none.
    if (worker->denies(record) ||
        (worker->waitUntilRead(std::chrono::milliseconds(0)) && !now[record].available))
        return unsupported(item->name);
    Request r;
    r.message = Visca::setImage(*item, value);
    r.record = record;
    r.value = value;
    r.key = ImageKey + record;
    r.what = item->name;
    worker->send(std::move(r));
    return true;
}

bool ViscaDevice::SetBrightness(int value)
{
    return image(PARAM_BRIGHTNESS, value);
}
bool ViscaDevice::SetHue(int value)
{
    return image(PARAM_HUE, value);
}
bool ViscaDevice::SetBacklight(int value)
{
    return image(PARAM_BACKLIGHT, value);
}
bool ViscaDevice::SetGamma(int value)
{
    return image(PARAM_GAMMA, value);
}
bool ViscaDevice::SetContrast(int value)
{
    return image(PARAM_CONTRAST, value);
}
bool ViscaDevice::SetSaturation(int value)
{
    return image(PARAM_SATURATION, value);
}
bool ViscaDevice::SetSharpness(int value)
{
    return image(PARAM_SHARPNESS, value);
}

bool ViscaDevice::SetWhiteBalance(int value)
{
    if (!worker)
        return false;
    ParameterRecord now[PARAM_COUNT];
    worker->copyRecords(now);
    // A temperature means manual white balance, switched first.
    if (now[PARAM_WHITE_BALANCE_AUTO].currentValue) {
        SetWhiteBalanceAuto(0);
        notifier->notify(CHANGED_PARAMETERS); // the caller did not ask for that one
    }
    return image(PARAM_WHITE_BALANCE, value);
}

bool ViscaDevice::SetWhiteBalanceAuto(int automatic)
{
    if (lacks(CAP_WHITE_BALANCE_AUTO, "automatic white balance"))
        return false;
    Request r;
    r.message = Visca::whiteBalanceMode(automatic != 0);
    r.record = PARAM_WHITE_BALANCE_AUTO;
    r.value = automatic ? 1 : 0;
    r.needs = CAP_WHITE_BALANCE_AUTO;
    r.key = ImageKey + PARAM_WHITE_BALANCE_AUTO;
    r.what = "automatic white balance";
    worker->send(std::move(r));
    return true;
}

// ---- Pan, tilt and zoom --------------------------------------------------------------------

bool ViscaDevice::SetPanPosition(int32_t position)
{
    if (position < Visca::PositionMin || position > Visca::PositionMax ||
        lacks(CAP_POSITION, "absolute position"))
        return false;
    worker->moveTo(position, std::nullopt);
    return true;
}

bool ViscaDevice::SetTiltPosition(int32_t position)
{
    if (position < Visca::PositionMin || position > Visca::PositionMax ||
        lacks(CAP_POSITION, "absolute position"))
        return false;
    worker->moveTo(std::nullopt, position);
    return true;
}

bool ViscaDevice::SetPanTiltPosition(int32_t pan, int32_t tilt, int panSpeed, int tiltSpeed)
{
    if (pan < Visca::PositionMin || pan > Visca::PositionMax || tilt < Visca::PositionMin ||
        tilt > Visca::PositionMax || lacks(CAP_PAN_TILT_MOVE, "absolute position"))
        return false;
    // 0: the fastest, as SET PT moves.
    worker->moveTo(pan, tilt, panSpeed > 0 ? std::min(panSpeed, 0x18) : 0x18,
                   tiltSpeed > 0 ? std::min(tiltSpeed, 0x14) : 0x14);
    return true;
}

bool ViscaDevice::SetZoomPosition(int32_t position)
{
    if (position < 0 || position > Visca::ZoomMax || lacks(CAP_ZOOM_POSITION, "zoom position"))
        return false;
    worker->zoomTo(position);
    return true;
}

bool ViscaDevice::GetZoomPosition(int32_t *position)
{
    // The camera's last answer, where it was last sent, or where a recalled preset takes it;
    // once a zoom stops, the answer on its way.
    if (!position || lacks(CAP_ZOOM_POSITION, "zoom position"))
        return false;
    const auto at = worker->zoomPosition(ReadWait);
    if (!at)
        return false;
    *position = *at;
    return true;
}

bool ViscaDevice::FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom)
{
    if (!worker || !pan || !tilt || !zoom)
        return false;
    *pan = FastestPan;
    *tilt = FastestTilt;
    *zoom = FastestZoom;
    return true;
}

bool ViscaDevice::Home()
{
    return request(Visca::home(), CAP_HOME, "home", true);
}

bool ViscaDevice::PtzReset()
{
    return request(Visca::panTiltReset(), CAP_PTZ_RESET, "pan/tilt reset", true) &&
           request(Visca::zoomDirect(0), CAP_ZOOM, "zoom", true);
}

// ---- Presets: the camera's own memories ----------------------------------------------------

bool ViscaDevice::SetPreset(uint8_t preset)
{
    if (!request(Visca::memory(Visca::MemorySet, preset), CAP_PRESETS, "presets"))
        return false;
    keepPreset(preset, true);
    presetStored(preset);
    return true;
}
bool ViscaDevice::CallPreset(uint8_t preset)
{
    if (!request(Visca::memory(Visca::MemoryRecall, preset), CAP_PRESETS, "presets", true))
        return false;
    // Asked now, the lens would answer from on its way.
    std::optional<int> zoom;
    if (const auto kept = backend.presets().find(name, preset); kept && (*kept)[2])
        zoom = int((*kept)[2].value());
    worker->lensGoesTo(zoom);
    return true;
}
bool ViscaDevice::ClearPreset(uint8_t preset)
{
    if (!request(Visca::memory(Visca::MemoryReset, preset), CAP_PRESETS, "presets"))
        return false;
    keepPreset(preset, false);
    presetCleared(preset);
    return true;
}

void ViscaDevice::keepPreset(uint8_t preset, bool stored)
{
    std::string error;
    bool kept = true;
    if (!stored) {
        kept = backend.presets().erase(name, preset, error);
    } else {
        // Where the camera is, for a glide the panel steps: read afresh when it can be.
        worker->refreshPosition(PositionFreshness, ReadWait);
        PresetStore::Position at;
        for (int axis = 0; axis < 3; ++axis)
            if (const auto p = axis == 2 ? worker->zoomPosition(ReadWait) : worker->position(axis))
                at[size_t(axis)] = *p;
        kept = backend.presets().store(name, preset, at, error);
    }
    // The camera has the preset all the same: only its name and glide are at stake.
    if (!kept)
        report("what the panel keeps of preset " + std::to_string(int(preset)) + " of " + name +
               " is lost: " + error);
}

bool ViscaDevice::CallPresetAtSpeed(uint8_t preset, int speed)
{
    if (!worker || lacks(CAP_PRESETS, "presets"))
        return false;
    // A camera that does not know the speed command loses CAP_PRESET_SPEED for the next
    // glide, and still goes to its preset at its own speed.
    if (!lacks(CAP_PRESET_SPEED, "preset speed")) {
        Request r;
        r.message = Visca::presetSpeed(preset, std::clamp(speed, 1, 0x18));
        r.needs = CAP_PRESET_SPEED;
        r.what = "preset speed";
        r.quiet = true;
        worker->send(std::move(r));
    }
    return CallPreset(preset);
}

// ---- Keys ----------------------------------------------------------------------------------

bool ViscaDevice::FlipOn()
{
    return request(Visca::onOff(0x04, 0x66, true), CAP_FLIP, "flip");
}
bool ViscaDevice::FlipOff()
{
    return request(Visca::onOff(0x04, 0x66, false), CAP_FLIP, "flip");
}
bool ViscaDevice::MirrorOn()
{
    return request(Visca::onOff(0x04, 0x61, true), CAP_MIRROR, "mirror");
}
bool ViscaDevice::MirrorOff()
{
    return request(Visca::onOff(0x04, 0x61, false), CAP_MIRROR, "mirror");
}
// IR: the camera switches its infrared-cut filter by itself (auto ICR) or not.
bool ViscaDevice::IrOn()
{
    return request(Visca::onOff(0x04, 0x51, true), CAP_IR, "automatic IR cut filter");
}
bool ViscaDevice::IrOff()
{
    return request(Visca::onOff(0x04, 0x51, false), CAP_IR, "automatic IR cut filter");
}
// Night: the infrared-cut filter out (ICR on).
bool ViscaDevice::DayMode()
{
    return request(Visca::onOff(0x04, 0x01, false), CAP_DAY_NIGHT, "day/night");
}
bool ViscaDevice::NightMode()
{
    return request(Visca::onOff(0x04, 0x01, true), CAP_DAY_NIGHT, "day/night");
}
bool ViscaDevice::MenuOn()
{
    return request(Visca::menu(true), CAP_MENU, "on-screen menu");
}
bool ViscaDevice::MenuOff()
{
    // The panel sends it by itself at every connection and at exit: to a camera that has not
    // shown its menu here, it is sent unasked, and a camera without one is not told again.
    if (!worker || !worker->reachable())
        return false;
    if (worker->waitUntilRead(std::chrono::milliseconds(0)) && !(worker->capabilities() & CAP_MENU))
        return false;
    Request r;
    r.message = Visca::menu(false);
    r.needs = CAP_MENU;
    r.what = "on-screen menu";
    r.quiet = !(worker->confirmed() & CAP_MENU);
    worker->send(std::move(r));
    return true;
}
bool ViscaDevice::AutoFocus()
{
    return request(Visca::onOff(0x04, 0x38, true), 0, "automatic focus");
}
bool ViscaDevice::ManualFocus()
{
    return request(Visca::onOff(0x04, 0x38, false), 0, "automatic focus");
}
bool ViscaDevice::SetTally(int state)
{
    if (state < 0 || state > 2 || !worker)
        return false;
    if (!worker->reachable()) {
        worker->light(state == 2); // for when it is back
        return false;
    }
    if (lacks(CAP_TALLY, "tally lamp"))
        return false;
    worker->light(state == 2);
    return true;
}
