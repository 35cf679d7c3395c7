#include "LibraryCommands.h"
#include "BaseDevice.h"
#include "ImageControl.h"
#include "MoveByKey.h"
#include "NetworkCameras.h"
#include "PanelKeys.h"

#include <QString>
#include <QStringList>

#include <csignal>
#include <ctime>
#include <tuple>
#include <vector>

namespace {

// The longest a command waits for the camera to take what it was sent.
constexpr int SendWaitMs = 10000;

} // namespace

void LibraryCommands::hold(int ms)
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    if (ms < 0) {
        int caught = 0;
        sigwait(&signals, &caught);
    } else {
        const timespec wait = {ms / 1000, long(ms % 1000) * 1000000L};
        sigtimedwait(&signals, nullptr, &wait);
    }
}

Outcome LibraryCommands::connect(int index, const QString &name)
{
    std::vector<DeviceInfo> cameras;
    BaseDevice::Initial();
    if (!BaseDevice::EnumUSBDevices(cameras))
        return Outcome::failed("the cameras cannot be listed");
    const DeviceInfo *chosen = nullptr;
    for (const DeviceInfo &camera : cameras)
        if (name.isEmpty() ? camera.index == index : QString::fromStdString(camera.name) == name)
            chosen = &camera;
    if (!chosen)
        return cameras.empty()
                   ? Outcome::failed(QStringLiteral("no camera is attached"))
                   : Outcome::failed(QStringLiteral("no camera %1 is attached")
                                         .arg(name.isEmpty() ? QString::number(index) : name),
                                     Outcome::NotFound);
    cameraName = QString::fromStdString(chosen->name);
    device.Close();
    const QByteArray text = QByteArray::number(chosen->index);
    if (!device.Open(text.constData(), 1) || !device.ReadParameters())
        return Outcome::failed(cameraName + " cannot be opened");
    return {};
}

Outcome LibraryCommands::runAll(const QVector<Command> &commands)
{
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    if (!device)
        return Outcome::failed("the camera library cannot reach any camera");
    LibraryCommands library(*device);
    Outcome result;
    bool open = false;
    for (const Command &command : commands) {
        if (command.kind == Command::List) {
            std::vector<DeviceInfo> cameras;
            BaseDevice::Initial();
            BaseDevice::EnumUSBDevices(cameras);
            for (const DeviceInfo &camera : cameras)
                result.output += QStringLiteral("%1 %2\n")
                                     .arg(camera.index)
                                     .arg(QString::fromStdString(camera.name));
            continue;
        }
        if (command.kind == Command::Camera || !open) {
            const Outcome connected = command.kind == Command::Camera
                                          ? library.connect(command.number, command.text)
                                          : library.connect(0, QString());
            if (connected.exitCode)
                return connected;
            open = true;
            if (command.kind == Command::Camera)
                continue;
        }
        const Outcome done = library.run(command);
        result.output += done.output;
        if (done.exitCode) {
            device->Close();
            return {done.exitCode, result.output, done.error, done.cause};
        }
    }
    // What was sent must reach the camera before it is closed.
    if (open && !device->WaitUntilSent(SendWaitMs))
        result = {1, result.output, library.cameraName + " refused a command or did not answer",
                  Outcome::Unavailable};
    device->Close();
    return result;
}

Outcome LibraryCommands::run(const Command &c)
{
    // A camera still being read tells what it can do once it answers.
    if (!device.Capabilities())
        device.WaitUntilSent(SendWaitMs);
    const uint32_t capabilities = device.Capabilities();
    const auto need = [&](uint32_t capability, const char *what) {
        return Outcome::lacking(cameraName, capabilities, capability, QLatin1String(what));
    };
    switch (c.kind) {
    case Command::Preset:
        if (const Outcome no = need(CAP_PRESETS, "keep presets"); no.exitCode)
            return no;
        if (!device.CallPreset(uint8_t(c.number)))
            return Outcome::failed(QStringLiteral("preset %1 is not stored").arg(c.number),
                                   Outcome::NotFound);
        return {};
    case Command::Store:
    case Command::Clear:
        if (const Outcome no = need(CAP_PRESETS, "keep presets"); no.exitCode)
            return no;
        // The preset is kept by the time the camera has taken it: a file that cannot be
        // written fails it here, not after the command said it was done.
        if (!(c.kind == Command::Store ? device.SetPreset(uint8_t(c.number))
                                       : device.ClearPreset(uint8_t(c.number))) ||
            !device.WaitUntilSent(SendWaitMs))
            return Outcome::failed(
                QStringLiteral("%1 could not %2 preset %3")
                    .arg(cameraName, c.kind == Command::Store ? "store" : "clear")
                    .arg(c.number),
                Outcome::NotStored);
        return {};
    case Command::Home:
        if (const Outcome no = need(CAP_HOME, "go home"); no.exitCode)
            return no;
        return device.Home() ? Outcome{} : Outcome::failed(cameraName + " cannot go home");
    case Command::Move:
        if (const Outcome no = need(CAP_PAN_TILT, "pan or tilt"); no.exitCode)
            return no;
        MoveByKey(&device, c.direction, PanelKeys::PanSpeedScale * c.speed,
                  PanelKeys::TiltSpeedScale * c.speed);
        hold(c.forMs);
        MoveByKey(&device, PanelKeys::Stop, 0, 0);
        return {};
    case Command::Zoom:
        if (const Outcome no = need(CAP_ZOOM, "zoom"); no.exitCode)
            return no;
        c.direction > 0 ? device.ZoomIn(c.speed) : device.ZoomOut(c.speed);
        hold(c.forMs);
        device.ZoomStop();
        return {};
    case Command::Stop:
        if (const Outcome no = need(0, ""); no.exitCode)
            return no;
        MoveByKey(&device, PanelKeys::Stop, 0, 0);
        device.ZoomStop();
        return {};
    case Command::Position: {
        if (const Outcome no = need(CAP_POSITION, "move to a position"); no.exitCode)
            return no;
        for (const auto &[axis, index, value] : {std::tuple{"pan", PARAM_PAN_POSITION, c.pan},
                                                 {"tilt", PARAM_TILT_POSITION, c.tilt}}) {
            const ParameterRecord &range = device.parameters[index];
            if (range.available == 1 && (value < range.minimum || value > range.maximum))
                return Outcome::outOfRange(QStringLiteral("%1 goes from %2 to %3 on %4")
                                               .arg(QLatin1String(axis))
                                               .arg(range.minimum)
                                               .arg(range.maximum)
                                               .arg(cameraName));
        }
        if (!device.SetPanPosition(c.pan) || !device.SetTiltPosition(c.tilt))
            return Outcome::failed(cameraName + " cannot move to a position");
        return {};
    }
    case Command::GetPosition: {
        if (const Outcome no = need(CAP_POSITION, "tell its position"); no.exitCode)
            return no;
        int32_t pan = 0, tilt = 0;
        if (!device.GetPanPosition(&pan) || !device.GetTiltPosition(&tilt)) {
            // A slow camera answers after the short wait of those calls.
            device.WaitUntilSent(SendWaitMs);
            if (!device.LastPosition(&pan, &tilt))
                return Outcome::failed(cameraName + " cannot tell its position");
        }
        return {0, QStringLiteral("%1,%2\n").arg(pan).arg(tilt), {}};
    }
    case Command::Image: {
        if (const Outcome no = need(0, ""); no.exitCode)
            return no;
        const int id = int(Command::imageControls().indexOf(c.text));
        const ImageControl &control = ImageControl::of(ImageControl::Id(id));
        const ParameterRecord &record = device.parameters[control.record];
        if (c.number < record.minimum || c.number > record.maximum)
            return Outcome::failed(QStringLiteral("%1 goes from %2 to %3 on %4")
                                       .arg(c.text)
                                       .arg(record.minimum)
                                       .arg(record.maximum)
                                       .arg(cameraName),
                                   Outcome::BadValue);
        if (!(device.*control.set)(c.number))
            return Outcome::failed(QStringLiteral("%1 refused %2").arg(cameraName, c.text));
        return {};
    }
    case Command::WhiteBalanceAuto:
        if (const Outcome no = need(CAP_WHITE_BALANCE_AUTO, "switch white balance"); no.exitCode)
            return no;
        return device.SetWhiteBalanceAuto(c.number)
                   ? Outcome{}
                   : Outcome::failed(cameraName + " cannot switch white balance");
    case Command::Flicker:
        if (const Outcome no = need(CAP_FLICKER, "set anti-flicker"); no.exitCode)
            return no;
        if (c.number < device.parameters[PARAM_FLICKER].minimum)
            return Outcome::failed(cameraName + " cannot switch anti-flicker off",
                                   Outcome::Unsupported);
        return device.SetFlicker(c.number)
                   ? Outcome{}
                   : Outcome::failed(cameraName + " refused anti-flicker", Outcome::Unsupported);
    case Command::ResetImage:
        if (const Outcome no = need(CAP_IMAGE_DEFAULTS, "reset its image"); no.exitCode)
            return no;
        return device.RestoreImageDefaults()
                   ? Outcome{}
                   : Outcome::failed(cameraName + " cannot reset its image");
    case Command::List:
    case Command::Camera:
    case Command::Raise:
        break;
    }
    return {};
}

Outcome LibraryCommands::editCameras(const QVector<CommandLine::CameraEdit> &edits)
{
    for (const CommandLine::CameraEdit &edit : edits) {
        std::string error;
        const std::string text = edit.text.toStdString();
        if (!(edit.add ? NetworkCameras::add(text, error) : NetworkCameras::remove(text, error)))
            return Outcome::failed(QString::fromStdString(
                (edit.add ? "--add-camera: " : "--remove-camera: ") + error));
    }
    return {};
}
