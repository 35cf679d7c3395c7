// SPDX-License-Identifier: GPL-2.0-or-later
#include "PanelCommands.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "CommandLine.h"
#include "CommandRunner.h"
#include "PanelKeys.h"
#include "PresetCommands.h"
#include "SessionCommands.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>

#include <vector>

using namespace PanelKeys;

namespace {

// How long a command waits for a camera just connected to say what it can do.
constexpr int AnswerWaitMs = 1500;

} // namespace

PanelCommands::PanelCommands(PanelControl &window)
    : panel(window), sessions([&window] { return window.cameraNames(); }, show)
{
    motionTimer.setSingleShot(true);
    zoomTimer.setSingleShot(true);
    connect(&show, &ShowEvents::happened, this, [this](const QJsonObject &event) {
        // A sink may remove itself or another while it is told.
        std::vector<int> told;
        for (const auto &sink : eventSinks)
            told.push_back(sink.first);
        for (int id : told) {
            const auto sink = eventSinks.find(id);
            if (sink == eventSinks.end())
                continue;
            const EventSink call = sink->second; // outlives its removal during the call
            call(event);
        }
    });
    connect(&motionTimer, &QTimer::timeout, this, [this] {
        stopMotion();
        show.moving(cameraName(), "pan-tilt", false, starter);
    });
    connect(&zoomTimer, &QTimer::timeout, this, [this] {
        stopZoom();
        show.moving(cameraName(), "zoom", false, starter);
    });
    CameraSession &own = panel.cameraSession();
    show.follow(own, [this] { return cameraName(); });
    connect(&own, &CameraSession::connectionChanged, this, &PanelCommands::windowConnected);
    connect(&own, &CameraSession::capabilitiesChanged, this, [this] {
        // A camera read only now can take its lamp only now.
        if (show.toldTally(cameraName()))
            panel.lightTally(show.tallyOf(cameraName()));
    });
    windowCamera = panel.isCameraOpen() ? cameraName() : QString();
    show.connection(windowCamera, true);
}

void PanelCommands::windowConnected(bool open)
{
    const QString now = open ? cameraName() : QString();
    // The camera the window left is not driven any more, unless a session has it.
    if (!windowCamera.isEmpty() && windowCamera != now)
        show.connection(windowCamera, false);
    windowCamera = now;
    if (open)
        sessions.release(now);
    const QString shown = cameraName();
    panel.showTally(show.tallyOf(shown));
    if (open && show.toldTally(shown))
        panel.lightTally(show.tallyOf(shown));
}

void PanelCommands::guardProgram(bool guard)
{
    guarding = guard;
    sessions.guardProgram(guard);
}

bool PanelCommands::guarded()
{
    return guarding && show.tallyOf(cameraName()) == 2;
}

bool PanelCommands::setTally(int state)
{
    show.tally(cameraName(), state);
    panel.showTally(state);
    panel.lightTally(state);
    return true;
}

QString PanelCommands::nameOf(const QString &on) const
{
    const QStringList names = panel.cameraNames();
    if (on.isEmpty())
        return names.value(panel.currentCamera());
    if (names.contains(on))
        return on;
    bool isIndex = false;
    const int index = on.toInt(&isIndex, 10);
    return isIndex ? names.value(index) : QString();
}

CameraTarget *PanelCommands::targetOf(const Command &c, QString &camera, Outcome &why)
{
    camera = nameOf(c.on);
    // The window's camera goes through the window, so that it stays in step.
    const bool window = c.on.isEmpty() || c.kind == Command::Camera || c.kind == Command::List ||
                        c.kind == Command::Raise || camera == cameraName();
    if (window)
        return this;
    if (camera.isEmpty()) {
        why = Outcome::failed(QStringLiteral("no camera %1 is attached").arg(c.on),
                              Outcome::NotFound);
        return nullptr;
    }
    SessionCommands *other = sessions.of(camera);
    if (!other)
        why = Outcome::failed("the camera library cannot reach " + camera);
    return other;
}

void PanelCommands::tell(const Command &c, const QString &camera)
{
    const QString by = c.by.isEmpty() ? QStringLiteral("command line") : c.by;
    switch (c.kind) {
    case Command::Move:
        show.moving(camera, "pan-tilt", c.direction != Stop, by);
        break;
    case Command::Zoom:
        show.moving(camera, "zoom", true, by);
        break;
    case Command::Stop:
        show.moving(camera, "pan-tilt", false, by);
        show.moving(camera, "zoom", false, by);
        break;
    case Command::Preset:
        show.preset(camera, "recalled", c.number, by);
        break;
    case Command::Store:
        show.preset(camera, "stored", c.number, by);
        break;
    case Command::Clear:
        show.preset(camera, "cleared", c.number, by);
        break;
    case Command::NamePreset:
        show.preset(camera, "named", c.number, by, c.name);
        break;
    case Command::Image:
        show.image(camera, {{Command::camelCase(c.text), c.number}});
        break;
    case Command::WhiteBalanceAuto:
        show.image(camera, {{"whiteBalanceAuto", c.number != 0}});
        break;
    case Command::Flicker:
        show.image(camera, {{"flicker", QStringList{"off", "50", "60"}.value(c.number)}});
        break;
    case Command::ResetImage: {
        Outcome ignored;
        show.image(camera, state(c.on, ignored).value("image").toObject());
        break;
    }
    default:
        break;
    }
}

void PanelCommands::stopMotion()
{
    motionTimer.stop();
    panel.moveJoystick(Stop);
}

void PanelCommands::stopZoom()
{
    zoomTimer.stop();
    panel.releaseZoomLever();
}

Outcome PanelCommands::run(const Command &c)
{
    QString camera;
    Outcome why;
    CameraTarget *target = targetOf(c, camera, why);
    if (!target)
        return why;
    if (target != this && (c.kind == Command::Move || c.kind == Command::Zoom))
        static_cast<SessionCommands *>(target)->setStarter(c.by);
    else if (c.kind == Command::Move || c.kind == Command::Zoom)
        starter = c.by;
    const Outcome done = CommandRunner::run(c, *target);
    if (done.exitCode)
        return done;
    // Events name presets by number, whichever way they were asked for.
    Command told = c;
    if (c.kind == Command::Preset && !c.text.isEmpty())
        told.number = PresetCommands::numberOf(c.text, *target);
    tell(told, camera);
    return done;
}

QJsonObject PanelCommands::state(const QString &on, Outcome &why)
{
    Command look;
    look.kind = Command::GetPosition;
    look.on = on;
    QString camera;
    CameraTarget *target = targetOf(look, camera, why);
    if (!target)
        return {};
    if (target == this) {
        QJsonObject own = state();
        own.insert("tally", Command::tallyStates().value(show.tallyOf(cameraName())));
        return own;
    }
    return static_cast<SessionCommands *>(target)->state();
}

QStringList PanelCommands::cameraNames()
{
    return panel.cameraNames();
}

Outcome PanelCommands::choose(int index)
{
    panel.chooseCamera(index);
    // Whether it answers, the next command finds out.
    return panel.isCameraOpen()
               ? Outcome{}
               : Outcome::failed(
                     QStringLiteral("%1 cannot be opened").arg(panel.cameraNames().value(index)));
}

Outcome PanelCommands::ready(uint &capabilities)
{
    if (panel.cameraNames().isEmpty() || !panel.isCameraPresent())
        return Outcome::failed(QStringLiteral("no camera is connected"));
    if (!panel.isCameraOpen())
        return Outcome::failed(cameraName() + QStringLiteral(" cannot be opened"));
    // A camera just connected may not have told what it can do yet. No events are taken
    // meanwhile: another command must not run inside this one.
    capabilities = panel.capabilities();
    for (QDeadlineTimer answer(AnswerWaitMs); !capabilities && !answer.hasExpired();) {
        QThread::msleep(10);
        capabilities = panel.capabilities();
    }
    return {};
}

QString PanelCommands::cameraName()
{
    return panel.cameraNames().value(panel.currentCamera());
}

bool PanelCommands::recall(int preset)
{
    panel.pressPresetKey(preset, RightRecall);
    return !panel.wasRefused();
}

bool PanelCommands::store(int preset)
{
    panel.pressPresetKey(preset, RightStore);
    return !panel.wasRefused();
}

bool PanelCommands::clear(int preset)
{
    panel.pressPresetKey(preset, RightClear);
    return !panel.wasRefused();
}

bool PanelCommands::glide(int preset, int speed, double seconds)
{
    return panel.glidePreset(preset, speed, seconds);
}

bool PanelCommands::readPreset(int preset, PresetRecord &record)
{
    return panel.readPreset(preset, record);
}

bool PanelCommands::writePreset(int preset, const PresetRecord &record)
{
    return panel.writePreset(preset, record);
}

bool PanelCommands::home()
{
    panel.pressLeftKey(LeftHome);
    return true;
}

void PanelCommands::drive(int key, int panSpeed, int tiltSpeed, int forMs)
{
    // At its own speed from the start, as the keyboard's and controllers' moves: the
    // joystick's order (the key at the last speeds, then the speeds) would start it at the
    // previous move's.
    panel.driveByKey(key, panSpeed, tiltSpeed);
    if (forMs >= 0)
        motionTimer.start(forMs);
}

void PanelCommands::zoom(int direction, int speed, int forMs)
{
    panel.holdZoomLever(direction * speed);
    if (forMs >= 0)
        zoomTimer.start(forMs);
}

void PanelCommands::stop()
{
    stopMotion();
    stopZoom();
}

bool PanelCommands::positionRange(bool tilt, int &minimum, int &maximum)
{
    return panel.positionRange(tilt, minimum, maximum);
}

bool PanelCommands::setPosition(int pan, int tilt)
{
    panel.fillPositionFields(pan, tilt);
    panel.pressRightKey(RightSet);
    return !panel.wasRefused();
}

bool PanelCommands::position(int &pan, int &tilt)
{
    panel.pressRightKey(RightGet);
    // What the read-outs show then is no position the camera told.
    return !panel.wasRefused() && panel.shownPosition(pan, tilt);
}

void PanelCommands::imageRange(ImageControl::Id control, int &minimum, int &maximum)
{
    panel.imageRange(control, minimum, maximum);
}

bool PanelCommands::setImage(ImageControl::Id control, int value)
{
    panel.moveImageSlider(control, value);
    return true;
}

bool PanelCommands::setWhiteBalanceAuto(bool automatic)
{
    panel.switchWhiteBalance(automatic);
    return true;
}

bool PanelCommands::canSwitchFlickerOff()
{
    return panel.offersFlickerOff();
}

bool PanelCommands::setFlicker(int mode)
{
    panel.chooseFlicker(mode);
    return !panel.wasRefused();
}

bool PanelCommands::resetImage()
{
    panel.pressLeftKey(LeftReset);
    return true;
}

void PanelCommands::raise()
{
    QWidget &window = panel.widget();
    window.show();
    window.raise();
    window.activateWindow();
}

Outcome PanelCommands::runAll(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        Command raise;
        raise.kind = Command::Raise;
        return run(raise);
    }
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.error.isEmpty())
        return Outcome::misused(line.error);
    Outcome all;
    for (const Command &command : line.commands) {
        const Outcome one = run(command);
        all.output += one.output;
        if (one.exitCode)
            return {one.exitCode, all.output, one.error, one.cause};
    }
    return all;
}

int PanelCommands::addEventSink(EventSink sink)
{
    eventSinks.emplace(++lastSink, std::move(sink));
    return lastSink;
}

void PanelCommands::removeEventSink(int sink)
{
    eventSinks.erase(sink);
}

void PanelCommands::listenToEvents(bool more)
{
    show.listen(more);
}

QVector<QJsonObject> PanelCommands::currentEvents(const QStringList &cameras) const
{
    return show.current(cameras);
}

QJsonArray PanelCommands::cameras() const
{
    QJsonArray list;
    const QStringList names = panel.cameraNames();
    for (int i = 0; i < names.size(); ++i)
        list.append(QJsonObject{{"index", i}, {"name", names[i]}});
    return list;
}

QJsonObject PanelCommands::state() const
{
    const bool connected = panel.capabilities() != 0;
    QJsonObject image;
    for (int i = 0; i < Command::imageControls().size(); ++i)
        image.insert(Command::camelCase(Command::imageControls()[i]),
                     panel.imageValue(ImageControl::Id(i)));
    const QStringList flicker = {"off", "50", "60"};
    int pan = 0, tilt = 0;
    const bool shown = panel.shownPosition(pan, tilt);
    const int current = panel.currentCamera();
    QJsonObject state{
        {"connected", connected},
        {"camera", connected ? QJsonValue(QJsonObject{{"index", current},
                                                      {"name", panel.cameraNames().value(current)}})
                             : QJsonValue()},
        {"image", image},
        {"whiteBalanceAuto", panel.whiteBalanceAuto()},
        {"flicker", flicker.value(panel.flickerMode())},
    };
    // The read-outs keep what the last camera told; without one, that is no position.
    if (connected && shown)
        state.insert("position", QJsonObject{{"pan", pan}, {"tilt", tilt}});
    return state;
}
