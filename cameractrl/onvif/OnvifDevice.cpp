// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifDevice.h"
#include "NetworkCameras.h"
#include "OnvifModule.h"
#include "Report.h"

namespace {

constexpr auto ReadWait = std::chrono::milliseconds(40);
constexpr auto PositionFreshness = std::chrono::milliseconds(100);
constexpr int ImageKey = 100; // + the record: a newer value replaces one not yet sent

} // namespace

OnvifDevice::OnvifDevice(OnvifBackend &owner) : backend(owner) {}

OnvifDevice::~OnvifDevice()
{
    Close();
    if (closed)
        backend.retire(std::move(closed));
}

bool OnvifDevice::Open(const char *index, int)
{
    Close();
    const OnvifBackend::Camera *camera = backend.camera(index);
    if (!camera)
        return false;
    if (closed) {
        // The same camera again (the panel reconnects as it lists the cameras): one
        // connection and one reading.
        if (closedPath == camera->info.path && closed->resume()) {
            name = camera->info.name;
            worker = std::move(closed);
            worker->waitUntilRead(ReadWait);
            return true;
        }
        backend.retire(std::move(closed));
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
    name = camera->info.name;
    path = camera->info.path;
    worker =
        std::make_unique<OnvifWorker>(*wire, std::move(address), notifier, backend.presetTokens());
    worker->waitUntilRead(ReadWait);
    return true;
}

bool OnvifDevice::Close()
{
    if (worker) {
        worker->finish();
        if (closed)
            backend.retire(std::move(closed));
        closed = std::move(worker);
        closedPath = path;
    }
    return true;
}

bool OnvifDevice::unsupported(const std::string &what)
{
    if (worker)
        reportOnce(name + " offers no " + what);
    return false;
}

bool OnvifDevice::lacks(uint32_t capability, const std::string &what)
{
    // Until the camera has been read, it is asked and says itself what it cannot do; while
    // it does not answer, that has been said once already.
    if (!worker || !worker->reachable())
        return true;
    if (!worker->waitUntilRead(std::chrono::milliseconds(0)))
        return false;
    if (worker->capabilities() & capability)
        return false;
    unsupported(what);
    return true;
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

bool OnvifDevice::ReadParameters()
{
    if (!worker)
        return false;
    worker->copyRecords(parameters);
    return true;
}

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

bool OnvifDevice::SetFlicker(int)
{
    return unsupported("anti-flicker setting");
}
bool OnvifDevice::RestoreImageDefaults()
{
    return unsupported("image defaults");
}

// ---- Pan, tilt and zoom --------------------------------------------------------------------

void OnvifDevice::setSpeed(MotionAxis axis, int speed)
{
    worker->setSpeed(axis, speed);
}

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

bool OnvifDevice::readPosition(int axis, int32_t *position)
{
    if (!position || lacks(CAP_POSITION, "absolute position"))
        return false;
    if (!worker->refreshPosition(PositionFreshness, ReadWait))
        return false;
    const auto at = worker->position(axis);
    if (!at)
        return false;
    *position = *at;
    return true;
}

bool OnvifDevice::GetPanPosition(int32_t *position)
{
    return readPosition(0, position);
}
bool OnvifDevice::GetTiltPosition(int32_t *position)
{
    return readPosition(1, position);
}

bool OnvifDevice::LastPosition(int32_t *pan, int32_t *tilt)
{
    if (!worker || !pan || !tilt)
        return false;
    const auto p = worker->position(0), t = worker->position(1);
    if (!p || !t)
        return false;
    *pan = *p;
    *tilt = *t;
    return true;
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
    return job(OnvifJob::SetPreset, CAP_PRESETS, "presets", preset);
}
bool OnvifDevice::CallPreset(uint8_t preset)
{
    return job(OnvifJob::GotoPreset, CAP_PRESETS, "presets", preset);
}
bool OnvifDevice::ClearPreset(uint8_t preset)
{
    return job(OnvifJob::RemovePreset, CAP_PRESETS, "presets", preset);
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
bool OnvifDevice::FocusStop()
{
    return worker != nullptr; // focus is never moved continuously
}
bool OnvifDevice::FramingAuto()
{
    return unsupported("automatic framing");
}
bool OnvifDevice::FramingManual()
{
    return unsupported("automatic framing");
}

uint32_t OnvifDevice::Capabilities()
{
    return worker ? worker->capabilities() : 0;
}

void OnvifDevice::SetChangeListener(ChangeListener listener, void *context)
{
    notifier->set(listener, context);
}

bool OnvifDevice::SetTally(int)
{
    return unsupported("tally lamp"); // the PTZ and imaging services define no lamp
}

bool OnvifDevice::AskPosition()
{
    if (!worker || !(worker->capabilities() & CAP_POSITION))
        return false;
    worker->refreshPosition(PositionFreshness, std::chrono::milliseconds::zero());
    return true;
}

bool OnvifDevice::WaitUntilSent(int milliseconds)
{
    return worker && worker->waitUntilSent(std::chrono::milliseconds(milliseconds));
}
