// SPDX-License-Identifier: GPL-2.0-or-later
#include "SessionCommands.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "PanelKeys.h"
#include "ShowEvents.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// As the window's commands: how long one waits for a camera just opened to say what it can do.
constexpr int AnswerWaitMs = 1500;

using Result = CameraSession::Result;

} // namespace

SessionCommands::SessionCommands(CameraSession &camera, const QString &cameraName,
                                 std::function<QStringList()> list, ShowEvents &hub)
    : session(camera), name(cameraName), names(std::move(list)), events(hub)
{
    motionTimer.setSingleShot(true);
    zoomTimer.setSingleShot(true);
    connect(&motionTimer, &QTimer::timeout, this, [this] {
        stopMotion();
        events.moving(name, "pan-tilt", false, starter);
    });
    connect(&zoomTimer, &QTimer::timeout, this, [this] {
        stopZoom();
        events.moving(name, "zoom", false, starter);
    });
    connect(&session, &CameraSession::capabilitiesChanged, this, &SessionCommands::relightTally);
}

QStringList SessionCommands::cameraNames()
{
    return names();
}

Outcome SessionCommands::choose(int index)
{
    return session.connectTo(index) ? Outcome{}
                                    : Outcome::failed(name + QStringLiteral(" cannot be opened"));
}

Outcome SessionCommands::ready(uint &capabilities)
{
    if (!session.isOpen()) {
        // The list may have changed since: the camera is found again by its name.
        const int index = int(names().indexOf(name));
        if (index < 0)
            return Outcome::failed(name + QStringLiteral(" is gone"));
        if (const Outcome opened = choose(index); opened.exitCode)
            return opened;
    }
    capabilities = session.capabilities();
    for (QDeadlineTimer answer(AnswerWaitMs); !capabilities && !answer.hasExpired();) {
        QThread::msleep(10);
        capabilities = session.capabilities();
    }
    return {};
}

bool SessionCommands::recall(int preset)
{
    return session.recall(preset) == Result::Done;
}

bool SessionCommands::store(int preset)
{
    return session.store(preset) == Result::Done;
}

bool SessionCommands::clear(int preset)
{
    return session.clear(preset) == Result::Done;
}

bool SessionCommands::glide(int preset, int speed, double seconds)
{
    return session.glideTo(preset, speed, seconds) == Result::Done;
}

bool SessionCommands::readPreset(int preset, PresetRecord &record)
{
    return session.readPreset(preset, record) == Result::Done;
}

bool SessionCommands::writePreset(int preset, const PresetRecord &record)
{
    return session.writePreset(preset, record) == Result::Done;
}

bool SessionCommands::home()
{
    return session.home() == Result::Done;
}

void SessionCommands::drive(int key, int panSpeed, int tiltSpeed, int forMs)
{
    session.drive(key, panSpeed, tiltSpeed);
    if (forMs >= 0)
        motionTimer.start(forMs);
    else
        motionTimer.stop();
}

void SessionCommands::zoom(int direction, int speed, int forMs)
{
    session.zoom(direction * speed);
    if (forMs >= 0)
        zoomTimer.start(forMs);
    else
        zoomTimer.stop();
}

void SessionCommands::stopMotion()
{
    motionTimer.stop();
    session.drive(PanelKeys::Stop, 0, 0);
}

void SessionCommands::stopZoom()
{
    zoomTimer.stop();
    session.zoomStop();
}

void SessionCommands::stop()
{
    stopMotion();
    stopZoom();
}

bool SessionCommands::positionRange(bool tilt, int &minimum, int &maximum)
{
    const ParameterRecord &range = session.record(tilt ? PARAM_TILT_POSITION : PARAM_PAN_POSITION);
    minimum = range.minimum;
    maximum = range.maximum;
    return range.available == 1;
}

bool SessionCommands::setPosition(int pan, int tilt)
{
    return session.setPosition(pan, tilt) == Result::Done;
}

bool SessionCommands::position(int &pan, int &tilt)
{
    return session.readPosition(pan, tilt) == Result::Done;
}

void SessionCommands::imageRange(ImageControl::Id control, int &minimum, int &maximum)
{
    const CameraSession::Copy &copy = session.copied(control);
    minimum = copy.minimum;
    maximum = copy.maximum;
}

bool SessionCommands::setImage(ImageControl::Id control, int value)
{
    return session.setImage(control, value) == Result::Done;
}

bool SessionCommands::setWhiteBalanceAuto(bool automatic)
{
    int value = 0;
    return (automatic ? session.setWhiteBalanceAuto() : session.setWhiteBalanceManual(value)) ==
           Result::Done;
}

bool SessionCommands::canSwitchFlickerOff()
{
    return session.record(PARAM_FLICKER).minimum <= 0;
}

bool SessionCommands::setFlicker(int mode)
{
    return session.setFlicker(mode) == Result::Done;
}

bool SessionCommands::resetImage()
{
    return session.restoreImageDefaults() == Result::Done;
}

bool SessionCommands::setTally(int state)
{
    events.tally(name, state);
    if (session.isOpen())
        session.setTally(state);
    return true;
}

void SessionCommands::relightTally()
{
    if (events.toldTally(name) && session.isOpen())
        session.setTally(events.tallyOf(name));
}

bool SessionCommands::guarded()
{
    return guarding && events.tallyOf(name) == 2;
}

QJsonObject SessionCommands::state()
{
    const bool connected = session.isOpen() && session.capabilities() != 0;
    QJsonObject image;
    for (int i = 0; i < Command::imageControls().size(); ++i)
        image.insert(Command::camelCase(Command::imageControls()[i]),
                     session.copied(ImageControl::Id(i)).current);
    const QStringList flicker = {"off", "50", "60", "auto"};
    QJsonObject state{
        {"connected", connected},
        {"camera", QJsonObject{{"index", int(names().indexOf(name))}, {"name", name}}},
        {"image", image},
        {"whiteBalanceAuto", session.record(PARAM_WHITE_BALANCE_AUTO).currentValue == 1},
        {"flicker", flicker.value(session.record(PARAM_FLICKER).currentValue)},
        {"tally", Command::tallyStates().value(events.tallyOf(name))},
    };
    int pan = 0, tilt = 0;
    if (connected && (session.capabilities() & CAP_POSITION) &&
        session.readPosition(pan, tilt) == Result::Done)
        state.insert("position", QJsonObject{{"pan", pan}, {"tilt", tilt}});
    return state;
}
