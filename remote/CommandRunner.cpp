// SPDX-License-Identifier: GPL-2.0-or-later
#include "CommandRunner.h"
#include "BaseDevice.h"
#include "CameraTarget.h"
#include "PanelKeys.h"
#include "PresetCommands.h"

namespace {

Outcome chooseCamera(const Command &c, CameraTarget &target)
{
    const QStringList cameras = target.cameraNames();
    const int index = c.text.isEmpty() ? c.number : int(cameras.indexOf(c.text));
    if (index < 0 || index >= cameras.size())
        return Outcome::failed(
            cameras.isEmpty() ? QStringLiteral("no camera is attached")
                              : QStringLiteral("no camera %1 is attached")
                                    .arg(c.text.isEmpty() ? QString::number(c.number) : c.text),
            Outcome::NotFound);
    return target.choose(index);
}

Outcome setPosition(const Command &c, CameraTarget &target)
{
    // A position past what the camera reaches is not sent: a network camera would wrap it.
    for (const bool tilt : {false, true}) {
        int minimum = 0, maximum = 0;
        const int value = tilt ? c.tilt : c.pan;
        if (target.positionRange(tilt, minimum, maximum) && (value < minimum || value > maximum))
            return Outcome::outOfRange(QStringLiteral("%1 goes from %2 to %3 on %4")
                                           .arg(tilt ? "tilt" : "pan")
                                           .arg(minimum)
                                           .arg(maximum)
                                           .arg(target.cameraName()));
    }
    if (!target.setPosition(c.pan, c.tilt))
        return Outcome::failed(target.cameraName() + " did not take the position");
    return {};
}

Outcome setImage(const Command &c, CameraTarget &target)
{
    const int index = int(Command::imageControls().indexOf(c.text));
    if (index < 0)
        return Outcome::misused("no image control " + c.text);
    const auto control = ImageControl::Id(index);
    int minimum = 0, maximum = 0;
    target.imageRange(control, minimum, maximum);
    if (c.number < minimum || c.number > maximum)
        return Outcome::failed(QStringLiteral("%1 goes from %2 to %3 on %4")
                                   .arg(c.text)
                                   .arg(minimum)
                                   .arg(maximum)
                                   .arg(target.cameraName()),
                               Outcome::BadValue);
    if (!target.setImage(control, c.number))
        return Outcome::failed(QStringLiteral("%1 refused %2").arg(target.cameraName(), c.text));
    return {};
}

Outcome setFlicker(const Command &c, CameraTarget &target)
{
    if (c.number == 0 && !target.canSwitchFlickerOff())
        return Outcome::failed(target.cameraName() + " cannot switch anti-flicker off",
                               Outcome::Unsupported);
    if (!target.setFlicker(c.number))
        return Outcome::failed(target.cameraName() + " refused anti-flicker", Outcome::Unsupported);
    return {};
}

// What a command needs the camera to be able to do, and how the refusal says it.
struct Need
{
    uint capability;
    const char *what;
};

Need needOf(Command::Kind kind)
{
    switch (kind) {
    case Command::Preset:
    case Command::Store:
    case Command::Clear:
    case Command::NamePreset:
    case Command::ListPresets:
    case Command::ExportPresets:
    case Command::ImportPresets:
        return {CAP_PRESETS, "keep presets"};
    case Command::Home:
        return {CAP_HOME, "go home"};
    case Command::Move:
        return {CAP_PAN_TILT, "pan or tilt"};
    case Command::Zoom:
        return {CAP_ZOOM, "zoom"};
    case Command::Position:
        return {CAP_POSITION, "move to a position"};
    case Command::GetPosition:
        return {CAP_POSITION, "tell its position"};
    case Command::WhiteBalanceAuto:
        return {CAP_WHITE_BALANCE_AUTO, "switch white balance"};
    case Command::Flicker:
        return {CAP_FLICKER, "set anti-flicker"};
    case Command::ResetImage:
        return {CAP_IMAGE_DEFAULTS, "reset its image"};
    default:
        return {0, ""};
    }
}

} // namespace

Outcome CommandRunner::run(const Command &c, CameraTarget &target)
{
    switch (c.kind) {
    case Command::Raise:
        target.raise();
        return {};
    case Command::List: {
        QString list;
        const QStringList cameras = target.cameraNames();
        for (int i = 0; i < cameras.size(); ++i)
            list += QStringLiteral("%1 %2\n").arg(i).arg(cameras[i]);
        return {0, list, {}};
    }
    case Command::Camera:
        return chooseCamera(c, target);
    case Command::Tally:
        // Kept and shown even while the camera is away: the show goes on without it.
        return target.setTally(c.number)
                   ? Outcome{}
                   : Outcome::failed(target.cameraName() + " has no tally lamp",
                                     Outcome::Unsupported);
    default:
        break;
    }

    if (!c.force && target.guarded()) {
        switch (c.kind) {
        case Command::Preset:
        case Command::Home:
        case Command::Move:
        case Command::Zoom:
        case Command::Position:
            return Outcome::failed(target.cameraName() +
                                       " is on program; say \"force\" to move it anyway",
                                   Outcome::Guarded);
        default:
            break;
        }
    }

    uint capabilities = 0;
    if (const Outcome notReady = target.ready(capabilities); notReady.exitCode)
        return notReady;
    const Need need = needOf(c.kind);
    if (const Outcome no = Outcome::lacking(target.cameraName(), capabilities, need.capability,
                                            QLatin1String(need.what));
        no.exitCode)
        return no;

    const QString camera = target.cameraName();
    switch (c.kind) {
    case Command::Preset:
    case Command::Store:
    case Command::Clear:
    case Command::NamePreset:
    case Command::ListPresets:
    case Command::ExportPresets:
    case Command::ImportPresets:
        return PresetCommands::run(c, target);
    case Command::Home:
        return target.home() ? Outcome{} : Outcome::failed(camera + " cannot go home");
    case Command::Move:
        target.drive(c.direction, PanelKeys::PanSpeedScale * c.speed,
                     PanelKeys::TiltSpeedScale * c.speed, c.forMs);
        return {};
    case Command::Zoom:
        target.zoom(c.direction, c.speed, c.forMs);
        return {};
    case Command::Stop:
        target.stop();
        return {};
    case Command::Position:
        return setPosition(c, target);
    case Command::GetPosition: {
        int pan = 0, tilt = 0;
        if (!target.position(pan, tilt))
            return Outcome::failed(camera + " does not tell its position");
        return {0, QStringLiteral("%1,%2\n").arg(pan).arg(tilt), {}};
    }
    case Command::Image:
        return setImage(c, target);
    case Command::WhiteBalanceAuto:
        return target.setWhiteBalanceAuto(c.number != 0)
                   ? Outcome{}
                   : Outcome::failed(camera + " cannot switch white balance");
    case Command::Flicker:
        return setFlicker(c, target);
    case Command::ResetImage:
        return target.resetImage() ? Outcome{}
                                   : Outcome::failed(camera + " cannot reset its image");
    case Command::List:
    case Command::Camera:
    case Command::Raise:
    case Command::Tally:
        break;
    }
    return Outcome::misused("unknown command");
}
