// SPDX-License-Identifier: GPL-2.0-or-later
#include "LibraryCommands.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "CameraSessions.h"
#include "CameraTarget.h"
#include "NetworkCameras.h"
#include "PasswordPrompt.h"
#include "ShowCameras.h"
#include "ShowEvents.h"
#include "Shows.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <optional>
#include <vector>

namespace {

// The longest a command waits for the camera to take what it was sent.
constexpr int SendWaitMs = 10000;
// How long a camera just opened has to say what it can do: a network camera may take
// several requests to get there.
constexpr int ReadingWaitMs = 10000;
// How often a wait looks for a stop signal.
constexpr int SignalWatchMs = 50;

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

// The stop signal that has come, or 0.
int takeStopSignal()
{
    const sigset_t stopping = stopSignals();
    const timespec now = {0, 0};
    const int caught = sigtimedwait(&stopping, nullptr, &now);
    return caught > 0 ? caught : 0;
}

} // namespace

// Each camera a shot or tour moves has a session of its own, as in the running panel.
class LibraryCommands::ShowCameras : public ::ShowCameras
{
public:
    explicit ShowCameras(ShowEvents &events) : sessions([this] { return cameraNames(); }, events)
    {
        sessions.forCommandLine(ReadingWaitMs);
    }
    ~ShowCameras() override { sessions.finish(SendWaitMs); }

    QStringList cameraNames() const override
    {
        // Read once: the commands of one line take moments.
        if (listed.isEmpty()) {
            std::vector<DeviceInfo> found;
            BaseDevice::Initial();
            BaseDevice::EnumUSBDevices(found);
            for (const DeviceInfo &camera : found)
                listed << QString::fromStdString(camera.name);
        }
        return listed;
    }
    CameraTarget *targetOf(const QString &camera, Outcome &why) override
    {
        CameraTarget *target = sessions.of(camera);
        if (!target)
            why = Outcome::failed("the camera library cannot reach " + camera);
        return target;
    }

    CameraSessions sessions;

private:
    mutable QStringList listed;
};

LibraryCommands::LibraryCommands(BaseDevice &device, CameraSession &session, CameraTarget &target,
                                 ShowEvents &events)
    : device(device), session(session), target(target), events(events)
{}

LibraryCommands::~LibraryCommands()
{
    showControl.reset();
    showCameras.reset();
}

Shows &LibraryCommands::shows()
{
    if (!showControl) {
        showCameras = std::make_unique<ShowCameras>(events);
        showControl = std::make_unique<Shows>(*showCameras, events);
    }
    return *showControl;
}

Outcome LibraryCommands::runShow(const Command &c)
{
    // One device for each camera: the one the other commands used lets it go.
    if (session.isOpen()) {
        device.WaitUntilSent(SendWaitMs);
        session.disconnect();
    }
    std::optional<Outcome> outcome;
    shows().run(c, [&outcome](const Outcome &done) { outcome = done; });
    int signal = waitUntil([&outcome] { return outcome.has_value(); });
    // What moved arrives, or runs its course, before the line goes on.
    if (!signal)
        signal = waitUntil([this] { return !showControl->isMoving(); });
    if (signal) {
        const bool looping = c.kind == Command::Tour &&
                             showControl->book().find(Command::DefineTour, c.name) &&
                             showControl->book().find(Command::DefineTour, c.name)->loop;
        showControl->stopAll(QStringLiteral("command line"));
        // A tour round and round ends at the signal as an untimed move does.
        if (!looping)
            interruptedBy = signal;
    }
    return outcome.value_or(Outcome{});
}

int LibraryCommands::waitUntil(const std::function<bool()> &done)
{
    // No window waits here: the loop only carries the session's timers and the camera's news.
    QEventLoop loop;
    QTimer watch;
    int caught = 0;
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        caught = takeStopSignal();
        if (caught || done())
            loop.quit();
    });
    watch.start(SignalWatchMs);
    if (!done())
        loop.exec();
    return caught;
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

Outcome LibraryCommands::choose(const Command &c)
{
    const QStringList cameras = cameraNames();
    const int index = c.text.isEmpty() ? c.number : int(cameras.indexOf(c.text));
    if (index < 0 || index >= cameras.size())
        return Outcome::failed(
            cameras.isEmpty() ? QStringLiteral("no camera is attached")
                              : QStringLiteral("no camera %1 is attached")
                                    .arg(c.text.isEmpty() ? QString::number(c.number) : c.text),
            Outcome::NotFound);
    name = cameras.value(index);
    return session.connectTo(index, false) ? Outcome{}
                                           : Outcome::failed(name + " cannot be opened");
}

Outcome LibraryCommands::carryOut(const Command &c)
{
    if (c.kind == Command::List) {
        QJsonArray list;
        const QStringList names = cameraNames();
        for (int i = 0; i < names.size(); ++i)
            list.append(QJsonObject{{"index", i}, {"name", names[i]}});
        return Outcome::found(list);
    }
    if (c.kind == Command::Camera)
        return choose(c);
    if (Command::isShow(c.kind))
        return runShow(c);
    // Where the camera is once it has taken what came before.
    if (c.kind == Command::GetPosition)
        device.WaitUntilSent(SendWaitMs);
    std::optional<Outcome> outcome;
    const auto reply = [&outcome](const Outcome &done) { outcome = done; };
    if (c.kind == Command::ExportPresets || c.kind == Command::ImportPresets)
        shows().withPresets(
            c, [this, &c](const CameraTarget::Reply &done) { target.run(c, done); }, reply);
    else
        target.run(c, reply);
    if (const int signal = waitUntil([&outcome] { return outcome.has_value(); })) {
        interruptedBy = signal;
        target.stop();
        return {};
    }
    if (outcome->exitCode)
        return *outcome;
    const Outcome waited = waitFor(c);
    return waited.exitCode ? waited : *outcome;
}

Outcome LibraryCommands::waitFor(const Command &c)
{
    switch (c.kind) {
    case Command::Move:
    case Command::Zoom: {
        // Without a time, the signal is how the user ends the motion; with one, it cuts it
        // short.
        bool ended = false;
        const QMetaObject::Connection over =
            QObject::connect(&target, &CameraTarget::timedMotionEnded, [&ended] { ended = true; });
        const int signal = waitUntil([&] { return c.forMs >= 0 && ended; });
        QObject::disconnect(over);
        if (signal && c.forMs >= 0)
            interruptedBy = signal;
        if (!ended)
            c.kind == Command::Move ? target.stopMotion() : target.stopZoom();
        return {};
    }
    case Command::Preset: {
        // A step the camera refuses ends the glide without arriving. A stop signal ends it
        // where the last step went.
        if (const int signal = waitUntil([this] { return !session.isGliding(); })) {
            interruptedBy = signal;
            session.stopGlide();
        }
        return device.WaitUntilSent(SendWaitMs) ? Outcome{}
                                                : Outcome::failed(name + " did not go there");
    }
    case Command::Store:
    case Command::Clear:
    case Command::Tally:
        // Kept by the time the camera has taken it: a file that cannot be written fails it
        // here, not after the command said it was done.
        return device.WaitUntilSent(SendWaitMs)
                   ? Outcome{}
                   : Outcome::failed(name + " refused a command or did not answer");
    default:
        return {};
    }
}

Outcome LibraryCommands::runAll(const QVector<Command> &commands)
{
    // Before the library starts a thread: a stop signal must not end the program with the
    // camera still moving.
    const HeldStopSignals held;
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    if (!device)
        return Outcome::failed("the camera library cannot reach any camera");
    CameraSession session(device);
    ShowEvents unheard;
    QString name;
    CameraTarget target(
        session, [&name] { return name; }, unheard);
    // Only the camera's own lamp shows a tally here.
    target.setTallyShownElsewhere(false);
    target.setAnswerWait(ReadingWaitMs);
    LibraryCommands library(*device, session, target, unheard);
    Outcome result;
    QString on; // the camera --on chose last
    for (const Command &command : commands) {
        // Without a camera chosen, the first one; --on chooses its own.
        const bool other = !command.on.isEmpty() && command.on != on;
        if (command.kind != Command::List && command.kind != Command::Camera &&
            !Command::isShow(command.kind) && (!session.isOpen() || other)) {
            Command first;
            first.kind = Command::Camera;
            bool isIndex = false;
            first.number = command.on.toInt(&isIndex, 10);
            if (!isIndex)
                first.text = command.on;
            // The camera chosen before a shot or tour let it go, not forgotten.
            if (command.on.isEmpty() && !library.name.isEmpty())
                first.text = library.name;
            on = command.on;
            if (const Outcome connected = library.choose(first); connected.exitCode)
                return connected;
        }
        name = library.name;
        const Outcome done = library.carryOut(command);
        result.output += CommandLine::print(command, done);
        if (!library.interruptedBy)
            library.interruptedBy = takeStopSignal();
        if (library.interruptedBy) {
            // The motion ends where it was when the signal came; nothing after it is sent.
            device->WaitUntilSent(SendWaitMs);
            device->Close();
            return {128 + library.interruptedBy,
                    result.output,
                    QStringLiteral("interrupted"),
                    Outcome::Unavailable,
                    {}};
        }
        if (done.exitCode) {
            device->Close();
            return command.kind == Command::Camera
                       ? done
                       : Outcome{done.exitCode, result.output, done.error, done.cause, {}};
        }
    }
    // What was sent must reach the camera before it is closed.
    QStringList late =
        library.showCameras ? library.showCameras->sessions.finish(SendWaitMs) : QStringList();
    if (session.isOpen() && !device->WaitUntilSent(SendWaitMs))
        late.prepend(name);
    if (!late.isEmpty())
        result = {1,
                  result.output,
                  late.join(", ") + " refused a command or did not answer",
                  Outcome::Unavailable,
                  {}};
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
