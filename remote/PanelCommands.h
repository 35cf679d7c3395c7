// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out commands in the running panel the way its own controls do, through the main
// window's PanelControl, so the window, its sliders and the camera stay in step and the
// trace shows every command.
#pragma once

#include "CameraSessions.h"
#include "CameraTarget.h"
#include "Command.h"
#include "PanelControl.h"
#include "ShowEvents.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

class PanelCommands : public QObject, private CameraTarget
{
    Q_OBJECT

public:
    explicit PanelCommands(PanelControl &window);

    // On the camera `command.on` names, the window's own when it names none or that one.
    Outcome run(const Command &command);
    // A later start's arguments, in order; none: show the window.
    Outcome runAll(const QStringList &arguments);
    // What the panel shows: its camera, image values, modes and last read position.
    QJsonObject state() const;
    // The same of camera `on` (empty: the window's); NotFound when there is none such.
    QJsonObject state(const QString &on, Outcome &why);
    QJsonArray cameras() const;
    // The name of camera `on` (a name or an index; empty: the window's camera), "" when
    // there is none such.
    QString nameOf(const QString &on) const;
    ShowEvents &events() { return show; }
    // Remote moves and preset recalls on a camera on program are refused unless forced.
    void guardProgram(bool guard);

private:
    QStringList cameraNames() override;
    Outcome choose(int index) override;
    Outcome ready(uint &capabilities) override;
    QString cameraName() override;
    bool recall(int preset) override;
    bool store(int preset) override;
    bool clear(int preset) override;
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
    void raise() override;

    void stopMotion();
    void stopZoom();
    // What the window's camera did, told as events.
    void windowConnected(bool open);
    void tell(const Command &command, const QString &camera);
    // The target a command goes to, nullptr with why when none.
    CameraTarget *targetOf(const Command &command, QString &camera, Outcome &why);

    PanelControl &panel;
    ShowEvents show;
    CameraSessions sessions;
    QString windowCamera; // the camera the window last connected
    QString starter;      // who started the window camera's timed move
    bool guarding = false;
    QTimer motionTimer; // a --move with --for
    QTimer zoomTimer;   // a --zoom with --for
};
