// SPDX-License-Identifier: GPL-2.0-or-later
#include "LibraryCommands.h"
#include "BaseDevice.h"
#include "CommandRunner.h"
#include "ImageControl.h"
#include "MoveByKey.h"
#include "NetworkCameras.h"
#include "PanelKeys.h"
#include "PasswordPrompt.h"
#include "PresetGlide.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <tuple>
#include <vector>

namespace {

// The longest a command waits for the camera to take what it was sent.
constexpr int SendWaitMs = 10000;
constexpr int ReadingWaitMs = 3000;
// How often a glide looks for a stop signal.
constexpr int GlideWatchMs = 50;

sigset_t stopSignals()
{
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGINT);
    sigaddset(&stopping, SIGTERM);
    return stopping;
}

// SIGINT and SIGTERM held back for as long as it lives, in this thread and in every thread
// started meanwhile (the camera workers), so that only takeStopSignal() receives them.
class HeldStopSignals
{
public:
    HeldStopSignals()
    {
        const sigset_t stopping = stopSignals();
        pthread_sigmask(SIG_BLOCK, &stopping, &before);
    }
    ~HeldStopSignals() { pthread_sigmask(SIG_SETMASK, &before, nullptr); }
    HeldStopSignals(const HeldStopSignals &) = delete;
    HeldStopSignals &operator=(const HeldStopSignals &) = delete;

private:
    sigset_t before;
};

// The stop signal that came within `ms` (< 0: waits for one), or 0.
int takeStopSignal(int ms)
{
    const sigset_t stopping = stopSignals();
    const QDeadlineTimer deadline(ms < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(ms));
    for (;;) {
        int caught = -1;
        if (deadline.isForever()) {
            if (sigwait(&stopping, &caught) == 0)
                return caught;
        } else {
            const qint64 left = std::max<qint64>(0, deadline.remainingTime());
            const timespec wait = {time_t(left / 1000), long(left % 1000) * 1000000L};
            caught = sigtimedwait(&stopping, nullptr, &wait);
            if (caught > 0)
                return caught;
            if (errno != EINTR)
                return 0;
        }
    }
}

} // namespace

void LibraryCommands::hold(int ms)
{
    // Without a time, the signal is how the user ends the motion; with one, it cuts it short.
    const int signal = takeStopSignal(ms);
    if (ms >= 0 && signal)
        interruptedBy = signal;
}

QStringList LibraryCommands::cameraNames()
{
    std::vector<DeviceInfo> found;
    BaseDevice::Initial();
    BaseDevice::EnumUSBDevices(found);
    listed.clear();
    for (const DeviceInfo &camera : found)
        listed << QString::fromStdString(camera.name);
    return listed;
}

Outcome LibraryCommands::choose(int index)
{
    // The runner found it in the list just read.
    name = listed.value(index);
    device.Close();
    const QByteArray text = QByteArray::number(index);
    open = device.Open(text.constData(), 1) && device.ReadParameters();
    return open ? Outcome{} : Outcome::failed(name + " cannot be opened");
}

Outcome LibraryCommands::ready(uint &capabilities)
{
    // A camera still being read tells what it can do once it answers; a network camera may
    // take several requests to get there.
    if (!device.Capabilities())
        device.WaitUntilSent(SendWaitMs);
    const QDeadlineTimer reading(ReadingWaitMs);
    while (!device.Capabilities() && !reading.hasExpired())
        QThread::msleep(20);
    capabilities = device.Capabilities();
    return {};
}

bool LibraryCommands::recall(int preset)
{
    return device.CallPreset(uint8_t(preset));
}

bool LibraryCommands::glide(int preset, int speed, double seconds)
{
    PresetGlide glide(&device);
    QEventLoop loop;
    QObject::connect(&glide, &PresetGlide::arrived, &loop, &QEventLoop::quit);
    switch (glide.start(uint8_t(preset), speed, seconds)) {
    case PresetGlide::Start::Gliding:
        break;
    case PresetGlide::Start::Recalled:
        return device.WaitUntilSent(SendWaitMs);
    case PresetGlide::Start::NotStored:
    case PresetGlide::Start::Refused:
        return false;
    }
    // A step the camera refuses ends the glide without arriving: the loop ends with it. A
    // stop signal ends it where the last step went.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (const int signal = takeStopSignal(0)) {
            interruptedBy = signal;
            glide.stop();
        }
        if (!glide.isGliding())
            loop.quit();
    });
    watch.start(GlideWatchMs);
    loop.exec();
    return device.WaitUntilSent(SendWaitMs);
}

bool LibraryCommands::readPreset(int preset, PresetRecord &record)
{
    return device.ReadPreset(uint8_t(preset), &record);
}

bool LibraryCommands::writePreset(int preset, const PresetRecord &record)
{
    return device.WritePreset(uint8_t(preset), &record);
}

bool LibraryCommands::store(int preset)
{
    // The preset is kept by the time the camera has taken it: a file that cannot be written
    // fails it here, not after the command said it was done.
    return device.SetPreset(uint8_t(preset)) && device.WaitUntilSent(SendWaitMs);
}

bool LibraryCommands::clear(int preset)
{
    return device.ClearPreset(uint8_t(preset)) && device.WaitUntilSent(SendWaitMs);
}

bool LibraryCommands::home()
{
    return device.Home();
}

void LibraryCommands::drive(int key, int panSpeed, int tiltSpeed, int forMs)
{
    MoveByKey(&device, key, panSpeed, tiltSpeed);
    hold(forMs);
    MoveByKey(&device, PanelKeys::Stop, 0, 0);
}

void LibraryCommands::zoom(int direction, int speed, int forMs)
{
    direction > 0 ? device.ZoomIn(speed) : device.ZoomOut(speed);
    hold(forMs);
    device.ZoomStop();
}

void LibraryCommands::stop()
{
    MoveByKey(&device, PanelKeys::Stop, 0, 0);
    device.ZoomStop();
}

bool LibraryCommands::positionRange(bool tilt, int &minimum, int &maximum)
{
    const ParameterRecord &range =
        device.parameters[tilt ? PARAM_TILT_POSITION : PARAM_PAN_POSITION];
    minimum = range.minimum;
    maximum = range.maximum;
    return range.available == 1;
}

bool LibraryCommands::setPosition(int pan, int tilt)
{
    return device.SetPanPosition(pan) && device.SetTiltPosition(tilt);
}

bool LibraryCommands::position(int &pan, int &tilt)
{
    int32_t p = 0, t = 0;
    if (!device.GetPanPosition(&p) || !device.GetTiltPosition(&t)) {
        // A slow camera answers after the short wait of those calls.
        device.WaitUntilSent(SendWaitMs);
        if (!device.LastPosition(&p, &t))
            return false;
    }
    pan = p;
    tilt = t;
    return true;
}

void LibraryCommands::imageRange(ImageControl::Id control, int &minimum, int &maximum)
{
    const ParameterRecord &record = device.parameters[ImageControl::of(control).record];
    // A network camera still being read tells a control only once it has answered for it;
    // until then its record is all zero.
    const auto arrived = [&record] {
        return record.minimum || record.maximum || record.step || record.defaultValue ||
               record.currentValue || record.available;
    };
    const QDeadlineTimer reading(ReadingWaitMs);
    while (!arrived() && !reading.hasExpired()) {
        QThread::msleep(20);
        device.ReadParameters();
    }
    minimum = record.minimum;
    maximum = record.maximum;
}

bool LibraryCommands::setImage(ImageControl::Id control, int value)
{
    return (device.*ImageControl::of(control).set)(value);
}

bool LibraryCommands::setWhiteBalanceAuto(bool automatic)
{
    return device.SetWhiteBalanceAuto(automatic ? 1 : 0);
}

bool LibraryCommands::canSwitchFlickerOff()
{
    return device.parameters[PARAM_FLICKER].minimum <= 0;
}

bool LibraryCommands::setFlicker(int mode)
{
    return device.SetFlicker(mode);
}

bool LibraryCommands::resetImage()
{
    return device.RestoreImageDefaults();
}

bool LibraryCommands::setTally(int state)
{
    // Without a panel, the lamp is all that shows it.
    uint capabilities = 0;
    ready(capabilities);
    return (capabilities & CAP_TALLY) && device.SetTally(state) && device.WaitUntilSent(SendWaitMs);
}

Outcome LibraryCommands::runAll(const QVector<Command> &commands)
{
    // Before the library starts a thread: a stop signal must not end the program with the
    // camera still moving.
    const HeldStopSignals held;
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    if (!device)
        return Outcome::failed("the camera library cannot reach any camera");
    LibraryCommands library(*device);
    Outcome result;
    QString on; // the camera --on chose last
    for (const Command &command : commands) {
        // Without a camera chosen, the first one; --on chooses its own.
        const bool other = !command.on.isEmpty() && command.on != on;
        if (command.kind != Command::List && command.kind != Command::Camera &&
            (!library.open || other)) {
            Command first;
            first.kind = Command::Camera;
            bool isIndex = false;
            first.number = command.on.toInt(&isIndex, 10);
            if (!isIndex)
                first.text = command.on;
            on = command.on;
            if (const Outcome connected = CommandRunner::run(first, library); connected.exitCode)
                return connected;
        }
        const Outcome done = CommandRunner::run(command, library);
        result.output += done.output;
        if (!library.interruptedBy)
            library.interruptedBy = takeStopSignal(0);
        if (library.interruptedBy) {
            // The motion ends where it was when the signal came; nothing after it is sent.
            device->WaitUntilSent(SendWaitMs);
            device->Close();
            return {128 + library.interruptedBy, result.output, QStringLiteral("interrupted"),
                    Outcome::Unavailable};
        }
        if (done.exitCode) {
            device->Close();
            return command.kind == Command::Camera
                       ? done
                       : Outcome{done.exitCode, result.output, done.error, done.cause};
        }
    }
    // What was sent must reach the camera before it is closed.
    if (library.open && !device->WaitUntilSent(SendWaitMs))
        result = {1, result.output, library.name + " refused a command or did not answer",
                  Outcome::Unavailable};
    device->Close();
    return result;
}

Outcome LibraryCommands::editCameras(const QVector<CommandLine::CameraEdit> &edits)
{
    for (const CommandLine::CameraEdit &edit : edits) {
        std::string error;
        const std::string text = edit.text.toStdString();
        std::string password;
        QString why;
        // A camera that signs in is given its password here, never on the command line.
        if (edit.add && NetworkCameras::needsPassword(text) &&
            !PasswordPrompt::read("Password for " + edit.text.section(',', 0, 0).trimmed() + ": ",
                                  password, why))
            return Outcome::failed("--add-camera: " + why);
        if (!(edit.add ? (password.empty() ? NetworkCameras::add(text, error)
                                           : NetworkCameras::add(text, password, error))
                       : NetworkCameras::remove(text, error)))
            return Outcome::failed(QString::fromStdString(
                (edit.add ? "--add-camera: " : "--remove-camera: ") + error));
    }
    return {};
}

Outcome LibraryCommands::discover(const QString &host)
{
    std::vector<NetworkCameras::Discovered> found;
    std::string error;
    // A camera on the local network answers within a second or two; one asked by name, at once.
    if (!NetworkCameras::discover(host.toStdString(), host.isEmpty() ? 3 : 2, found, error))
        return Outcome::failed("--discover: " + QString::fromStdString(error));
    QString output;
    for (const NetworkCameras::Discovered &camera : found)
        output += QString::fromStdString(camera.line) +
                  (camera.about.empty() ? "" : "  # " + QString::fromStdString(camera.about)) +
                  "\n";
    if (found.empty())
        return {1, output,
                host.isEmpty() ? QStringLiteral("no camera answered") : host + " did not answer",
                Outcome::Unavailable};
    return {0, output, {}, Outcome::Done};
}
