// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out commands in the running panel the way its own controls do, through the main
// window's PanelControl, so the window, its sliders and the camera stay in step and the
// trace shows every command.
#pragma once

#include "CameraSessions.h"
#include "CameraTarget.h"
#include "Command.h"
#include "PanelControl.h"
#include "RemotePanel.h"
#include "ShowEvents.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

#include <map>

class PanelCommands : public QObject, public RemotePanel, private CameraTarget
{
    Q_OBJECT

public:
    explicit PanelCommands(PanelControl &window);

    Outcome run(const Command &command) override;
    // A later start's arguments, in order; none: show the window.
    Outcome runAll(const QStringList &arguments);
    QJsonObject state() const override;
    QJsonObject state(const QString &on, Outcome &why) override;
    QJsonArray cameras() const override;
    QString nameOf(const QString &on) const override;
    int addEventSink(EventSink sink) override;
    void removeEventSink(int sink) override;
    void listenToEvents(bool more) override;
    QVector<QJsonObject> currentEvents(const QStringList &cameras) const override;
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
    std::map<int, EventSink> eventSinks; // the remotes', while they run
    int lastSink = 0;
    CameraSessions sessions;
    QString windowCamera; // the camera the window last connected
    QString starter;      // who started the window camera's timed move
    bool guarding = false;
    QTimer motionTimer; // a --move with --for
    QTimer zoomTimer;   // a --zoom with --for
};
