// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraSession.h"
#include "MoveByKey.h"

#include <QByteArray>
#include <QMetaObject>

#include <algorithm>

namespace {

// A slider's steps in the camera's own: keys that move it by less would send values the
// camera rounds back. The wheel and the Page keys move it by at most a page, a tenth of the
// range; a page of 0 would leave them nothing to do.
CameraSession::Copy copyOf(const ParameterRecord &record)
{
    const int step = std::max(1, record.step);
    const qint64 tenth = (qint64(record.maximum) - record.minimum) / 10;
    const int page = int(std::max<qint64>(tenth / step * step, step));
    // A slow camera tells its controls one by one; a record it has not told yet is all zero.
    const bool arrived = record.minimum || record.maximum || record.step || record.defaultValue ||
                         record.currentValue || record.available;
    return {record.currentValue,
            record.minimum,
            record.maximum,
            record.defaultValue,
            step,
            page,
            arrived};
}

CameraSession::Result resultOf(PresetGlide::Start start)
{
    return start == PresetGlide::Start::Gliding || start == PresetGlide::Start::Recalled
               ? CameraSession::Result::Done
               : CameraSession::Result::Refused;
}

} // namespace

CameraSession::CameraSession(BaseDevice *device, QObject *parent)
    : QObject(parent), device(device), present(device != nullptr), glide(device)
{
    connect(&glide, &PresetGlide::arrived, this, &CameraSession::glideArrived);
    connect(&glide, &PresetGlide::failed, this, &CameraSession::glideFailed);
    if (device)
        device->SetChangeListener(&CameraSession::changed, this);
}

CameraSession::~CameraSession()
{
    // The device outlives the session; its news must no longer reach it.
    if (device)
        device->SetChangeListener(nullptr, nullptr);
}

uint32_t CameraSession::capabilities() const
{
    return device && open ? device->Capabilities() : 0;
}

const ParameterRecord &CameraSession::record(ParameterIndex index) const
{
    static const ParameterRecord none;
    return device ? device->parameters[index] : none;
}

bool CameraSession::offersFlickerOff() const
{
    const ParameterRecord &modes = record(PARAM_FLICKER);
    return modes.available != 1 || modes.minimum <= 0;
}

bool CameraSession::positionRange(bool tilt, int &minimum, int &maximum) const
{
    const ParameterRecord &range = record(tilt ? PARAM_TILT_POSITION : PARAM_PAN_POSITION);
    minimum = range.minimum;
    maximum = range.maximum;
    return open && range.available == 1 && range.minimum <= range.maximum;
}

bool CameraSession::lastPosition(int &pan, int &tilt) const
{
    int32_t p = 0, t = 0;
    if (!device || !open || !device->LastPosition(&p, &t))
        return false;
    pan = p;
    tilt = t;
    return true;
}

void CameraSession::takeOver()
{
    glide.stop(); // whatever else is asked takes over from a glide at once
    emit acting(asker);
}

template <typename Send> CameraSession::Result CameraSession::ask(Send send)
{
    takeOver();
    if (!present)
        return Result::NoCamera;
    return send() ? Result::Done : Result::Refused;
}

// ---- Connection -------------------------------------------------------------------------

bool CameraSession::connectTo(int index, bool shutMenu)
{
    if (!device)
        return false;
    glide.stop();
    device->Close();
    open = false;
    present = true;
    whiteBalanceAutomatic = -1;
    flicker = -1;
    BaseDevice::Initial();
    const QByteArray name = QByteArray::number(index);
    if (device->Open(name.constData(), 1)) {
        device->ReadParameters();
        open = true;
        if (shutMenu)
            device->MenuOff();
        copyImage();
    }
    takeHealth();
    emit connectionChanged(open);
    return open;
}

void CameraSession::disconnect()
{
    glide.stop();
    if (device)
        device->Close();
    open = false;
    present = false;
    takeHealth();
    emit connectionChanged(false);
}

void CameraSession::setAbsent()
{
    glide.stop();
    present = false;
}

void CameraSession::changed(void *context, uint32_t changes)
{
    // Any thread: only take note, and let the session's thread look once for a burst.
    auto *session = static_cast<CameraSession *>(context);
    if (session->pendingChanges.fetch_or(changes) == 0)
        QMetaObject::invokeMethod(
            session, [session] { session->takeChanges(); }, Qt::QueuedConnection);
}

void CameraSession::takeChanges()
{
    const uint32_t changes = pendingChanges.exchange(0);
    if (!device || !open)
        return;
    if (changes & CHANGED_PARAMETERS) {
        device->ReadParameters();
        copyImage();
        emit imageLoaded();
    }
    if (changes & CHANGED_CAPABILITIES)
        emit capabilitiesChanged();
    if (changes & (CHANGED_HEALTH | CHANGED_CAPABILITIES))
        takeHealth();
    int32_t pan = 0, tilt = 0;
    if (changes & CHANGED_POSITION && device->LastPosition(&pan, &tilt))
        emit positionRead(pan, tilt);
}

void CameraSession::takeHealth()
{
    const int now = device && open ? device->Health() : -1;
    if (now == healthState)
        return;
    healthState = now;
    healthChangedAt = QDateTime::currentDateTime();
    emit healthChanged(now);
}

void CameraSession::copyImage()
{
    for (int id = 0; id < ImageControl::Count; ++id)
        copies[id] = copyOf(device->parameters[ImageControl::of(ImageControl::Id(id)).record]);
    const ParameterRecord &automatic = device->parameters[PARAM_WHITE_BALANCE_AUTO];
    if (automatic.available == 1)
        whiteBalanceAutomatic = automatic.currentValue != 0;
    const ParameterRecord &modes = device->parameters[PARAM_FLICKER];
    if (modes.available == 1 && modes.currentValue >= 0 && modes.currentValue <= 3)
        flicker = modes.currentValue;
}

// ---- Image ------------------------------------------------------------------------------

CameraSession::Result CameraSession::setImage(ImageControl::Id control, int value)
{
    const Result result = ask([&] { return (device->*ImageControl::of(control).set)(value); });
    if (result == Result::Done) {
        copies[control].current = value;
        emit imageChanged(control, value);
    }
    return result;
}

CameraSession::Result CameraSession::setFlicker(int mode)
{
    const Result result = ask([&] { return device->SetFlicker(mode); });
    if (result == Result::Done) {
        flicker = mode;
        emit modesChanged();
    }
    return result;
}

CameraSession::Result CameraSession::setWhiteBalanceAuto()
{
    const Result result = ask([&] { return device->SetWhiteBalanceAuto(1); });
    if (result == Result::Done) {
        whiteBalanceAutomatic = 1;
        emit modesChanged();
    }
    return result;
}

CameraSession::Result CameraSession::setWhiteBalanceManual(int &value)
{
    value = copies[ImageControl::WhiteBalance].defaultValue;
    const Result result = ask([&] {
        const bool manual = device->SetWhiteBalanceAuto(0);
        return device->SetWhiteBalance(value) && manual;
    });
    if (result == Result::Done) {
        whiteBalanceAutomatic = 0;
        copies[ImageControl::WhiteBalance].current = value;
        emit modesChanged();
        emit imageChanged(ImageControl::WhiteBalance, value);
    }
    return result;
}

CameraSession::Result CameraSession::restoreImageDefaults()
{
    const Result result = ask([&] { return device->RestoreImageDefaults(); });
    if (result == Result::Done)
        for (int control = 0; control < ImageControl::Count; ++control)
            if (Copy &copy = copies[control]; copy.arrived) {
                copy.current = copy.defaultValue;
                emit imageChanged(control, copy.current);
            }
    return result;
}

// ---- Motion -----------------------------------------------------------------------------

CameraSession::Result CameraSession::drive(int key, int pan, int tilt)
{
    // Sources other than the joystick (gamepad, keyboard, command line, HTTP) give speeds as
    // the camera takes them, so a move starts at its own; the joystick's next report starts
    // from their key.
    if (key < 0 || key > 8)
        return Result::Refused;
    const int was = directionKey;
    directionKey = key;
    return ask([&] {
        // A stick let go on one axis stops that axis alone; the centre stops both, as ever.
        const auto pans = [](int k) { return k % 3 != 1; };
        const auto tilts = [](int k) { return k / 3 != 1; };
        if (key != 4 && tilts(was) && !tilts(key)) {
            device->TiltUpStop();
            device->TiltDownStop();
        }
        if (key != 4 && pans(was) && !pans(key)) {
            device->PanLeftStop();
            device->PanRightStop();
        }
        MoveByKey(device, key, pan, tilt);
        return true;
    });
}

CameraSession::Result CameraSession::steer(int key)
{
    takeOver(); // a touch of the joystick, even where it was
    if (key == directionKey)
        return Result::Done;
    directionKey = key;
    return ask([&] {
        MoveByKey(device, directionKey, 3 * panSpeed, 2 * tiltSpeed);
        return true;
    });
}

CameraSession::Result CameraSession::setPanSpeed(int speed)
{
    if (speed == panSpeed)
        return Result::Done;
    panSpeed = speed;
    return ask([&] {
        MoveByKey(device, directionKey, 3 * panSpeed, 2 * tiltSpeed);
        return true;
    });
}

CameraSession::Result CameraSession::setTiltSpeed(int speed)
{
    if (speed == tiltSpeed)
        return Result::Done;
    tiltSpeed = speed;
    return ask([&] {
        MoveByKey(device, directionKey, 3 * panSpeed, 2 * tiltSpeed);
        return true;
    });
}

CameraSession::Result CameraSession::zoom(int speed)
{
    return ask([&] {
        if (speed < 0)
            return device->ZoomOut(-speed);
        if (speed > 0)
            return device->ZoomIn(speed);
        return true;
    });
}

CameraSession::Result CameraSession::zoomStop()
{
    return ask([&] { return device->ZoomStop(); });
}

CameraSession::Result CameraSession::focusStop()
{
    return ask([&] { return device->FocusStop(); });
}

CameraSession::Result CameraSession::autoFocus()
{
    return ask([&] { return device->AutoFocus(); });
}

CameraSession::Result CameraSession::manualFocus()
{
    return ask([&] { return device->ManualFocus(); });
}

CameraSession::Result CameraSession::recall(int preset)
{
    PresetRecord kept;
    if (present && device->ReadPreset(uint8_t(preset & 0xFF), &kept) && kept.stored &&
        kept.speed > 0)
        return glideTo(preset, kept.speed, 0);
    return ask([&] { return device->CallPreset(static_cast<uint8_t>(preset & 0xFF)); });
}

CameraSession::Result CameraSession::glideTo(int preset, int speed, double seconds)
{
    takeOver();
    if (!present)
        return Result::NoCamera;
    return resultOf(glide.start(uint8_t(preset & 0xFF), speed, seconds));
}

CameraSession::Result CameraSession::planRecall(int preset, int speed, double seconds)
{
    takeOver();
    if (!present)
        return Result::NoCamera;
    PresetRecord kept;
    if (speed <= 0 && seconds <= 0 && device->ReadPreset(uint8_t(preset & 0xFF), &kept) &&
        kept.stored && kept.speed > 0)
        speed = kept.speed;
    // A preset the library knows no place of may still be the camera's own: it goes there by
    // itself, untimed, or refuses as it starts.
    if (glide.plan(uint8_t(preset & 0xFF), speed, seconds) == PresetGlide::Start::NotStored)
        glide.plan(uint8_t(preset & 0xFF), 0, 0);
    return Result::Done;
}

CameraSession::Result CameraSession::startPlanned(PresetGlide::Clock::time_point start, int steps)
{
    if (!present)
        return Result::NoCamera;
    return resultOf(glide.go(start, steps));
}

CameraSession::Result CameraSession::readPreset(int preset, PresetRecord &record)
{
    if (!present)
        return Result::NoCamera;
    return device->ReadPreset(uint8_t(preset & 0xFF), &record) ? Result::Done : Result::Refused;
}

CameraSession::Result CameraSession::writePreset(int preset, const PresetRecord &record)
{
    if (!present)
        return Result::NoCamera;
    const bool kept = device->WritePreset(uint8_t(preset & 0xFF), &record);
    // What the library keeps may have changed even when it could not all be written.
    emit presetChanged(preset & 0xFF);
    return kept ? Result::Done : Result::Refused;
}

CameraSession::Result CameraSession::store(int preset)
{
    const Result result =
        ask([&] { return device->SetPreset(static_cast<uint8_t>(preset & 0xFF)); });
    if (result != Result::NoCamera)
        emit presetChanged(preset & 0xFF);
    return result;
}

CameraSession::Result CameraSession::clear(int preset)
{
    const Result result =
        ask([&] { return device->ClearPreset(static_cast<uint8_t>(preset & 0xFF)); });
    if (result != Result::NoCamera)
        emit presetChanged(preset & 0xFF);
    return result;
}

CameraSession::Result CameraSession::setPosition(int pan, int tilt, const Pause &pause)
{
    return ask([&] {
        const bool panTaken = device->SetPanPosition(pan);
        if (pause)
            pause(50);
        return device->SetTiltPosition(tilt) && panTaken;
    });
}

CameraSession::Result CameraSession::readPosition(int &pan, int &tilt, const Pause &pause)
{
    // A camera that cannot tell leaves these alone; give 0 rather than stack garbage.
    int32_t panRead = 0;
    int32_t tiltRead = 0;
    const Result result = ask([&] {
        const bool panTold = device->GetPanPosition(&panRead);
        if (pause)
            pause(50);
        const bool tiltTold = device->GetTiltPosition(&tiltRead);
        return panTold && tiltTold;
    });
    pan = panRead;
    tilt = tiltRead;
    return result;
}

CameraSession::Result CameraSession::askPosition()
{
    if (!present)
        return Result::NoCamera;
    // What was told before the asking is not its answer, which comes as a change of its own.
    pendingChanges.fetch_and(~uint32_t(CHANGED_POSITION));
    return device->AskPosition() ? Result::Done : Result::Refused;
}

// ---- Function keys ----------------------------------------------------------------------

CameraSession::Result CameraSession::toggleFlip()
{
    return ask([&] {
        const bool sent = flipped ? device->FlipOff() : device->FlipOn();
        flipped = !flipped;
        return sent;
    });
}

CameraSession::Result CameraSession::toggleMirror()
{
    return ask([&] {
        const bool sent = mirrored ? device->MirrorOff() : device->MirrorOn();
        mirrored = !mirrored;
        return sent;
    });
}

CameraSession::Result CameraSession::menu(bool on)
{
    return ask([&] { return on ? device->MenuOn() : device->MenuOff(); });
}

CameraSession::Result CameraSession::home()
{
    return ask([&] { return device->Home(); });
}

CameraSession::Result CameraSession::framing(bool automatic)
{
    return ask([&] { return automatic ? device->FramingAuto() : device->FramingManual(); });
}

CameraSession::Result CameraSession::infrared(bool on)
{
    return ask([&] { return on ? device->IrOn() : device->IrOff(); });
}

CameraSession::Result CameraSession::dayMode(bool day)
{
    return ask([&] { return day ? device->DayMode() : device->NightMode(); });
}

CameraSession::Result CameraSession::resetPtz()
{
    return ask([&] { return device->PtzReset(); });
}

CameraSession::Result CameraSession::setTally(int state, bool light)
{
    if (state != tallyState) {
        tallyState = state;
        emit tallyChanged(state);
    }
    // Most cameras have no lamp: not asked, so that nothing reports it as a fault.
    if (!(capabilities() & CAP_TALLY))
        return present ? Result::Refused : Result::NoCamera;
    if (!light)
        return Result::Done;
    // A tally says what the show does with the camera, and moves nothing: a glide goes on.
    return device->SetTally(state) ? Result::Done : Result::Refused;
}
