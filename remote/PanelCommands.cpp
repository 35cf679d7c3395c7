// SPDX-License-Identifier: GPL-2.0-or-later
#include "PanelCommands.h"
#include "BaseDevice.h"
#include "CommandLine.h"
#include "CommandRunner.h"
#include "PanelKeys.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>

using namespace PanelKeys;

namespace {

// How long a command waits for a camera just connected to say what it can do.
constexpr int AnswerWaitMs = 1500;

} // namespace

PanelCommands::PanelCommands(PanelControl &window) : panel(window)
{
    motionTimer.setSingleShot(true);
    zoomTimer.setSingleShot(true);
    connect(&motionTimer, &QTimer::timeout, this, &PanelCommands::stopMotion);
    connect(&zoomTimer, &QTimer::timeout, this, &PanelCommands::stopZoom);
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
    return CommandRunner::run(c, *this);
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
