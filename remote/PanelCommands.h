// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out commands in the running panel the way its own controls do, through the main
// window's PanelControl, so the window, its sliders and the camera stay in step and the
// trace shows every command.
#pragma once

#include "CameraTarget.h"
#include "Command.h"
#include "PanelControl.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

class PanelCommands : public QObject, private CameraTarget
{
    Q_OBJECT

public:
    explicit PanelCommands(PanelControl &window);

    Outcome run(const Command &command);
    // A later start's arguments, in order; none: show the window.
    Outcome runAll(const QStringList &arguments);
    // What the panel shows: its camera, image values, modes and last read position.
    QJsonObject state() const;
    QJsonArray cameras() const;

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
    void raise() override;

    void stopMotion();
    void stopZoom();

    PanelControl &panel;
    QTimer motionTimer; // a --move with --for
    QTimer zoomTimer;   // a --zoom with --for
};
