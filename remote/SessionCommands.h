// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out commands on a camera the window does not show, through a session of its own:
// its own device and I/O thread, opened when first asked and again after it went away. The
// window, its widgets and its camera are left as they are.
#pragma once

#include "CameraTarget.h"
#include "Command.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>

#include <functional>

class CameraSession;
class ShowEvents;

class SessionCommands : public QObject, public CameraTarget
{
    Q_OBJECT

public:
    // `names` lists the cameras as the panel does; `name` is this one's.
    SessionCommands(CameraSession &session, const QString &name, std::function<QStringList()> names,
                    ShowEvents &events);

    // What GET /api/state tells of this camera.
    QJsonObject state();
    // The guard of cameras on program applies here.
    void guardProgram(bool guard) { guarding = guard; }
    // Who started the move a timer or the dead-man stops, for the events.
    void setStarter(const QString &by) { starter = by; }

    QStringList cameraNames() override;
    Outcome choose(int index) override;
    Outcome ready(uint &capabilities) override;
    QString cameraName() override { return name; }
    bool recall(int preset) override;
    bool store(int preset) override;
    bool clear(int preset) override;
    bool glide(int preset, int speed, double seconds) override;
    bool readPreset(int preset, PresetRecord &record) override;
    bool writePreset(int preset, const PresetRecord &record) override;
    bool home() override;
    void drive(int key, int panSpeed, int tiltSpeed, int forMs) override;
    void zoom(int direction, int speed, int forMs) override;
    void stop() override;
    bool positionRange(bool tilt, int &minimum, int &maximum) override;
    bool setPosition(int pan, int tilt) override;
    bool position(int &pan, int &tilt) override;
    void imageRange(ImageControl::Id control, int &minimum, int &maximum) override;
    bool setImage(ImageControl::Id control, int value) override;
    bool setWhiteBalanceAuto(bool automatic) override;
    bool canSwitchFlickerOff() override;
    bool setFlicker(int mode) override;
    bool resetImage() override;
    bool setTally(int state) override;
    bool guarded() override;

    // Lights the lamp as the show last told it, once the camera can take it.
    void relightTally();

private:
    void stopMotion();
    void stopZoom();

    CameraSession &session;
    const QString name;
    std::function<QStringList()> names;
    ShowEvents &events;
    QTimer motionTimer;
    QTimer zoomTimer;
    bool guarding = false;
    QString starter;
};
