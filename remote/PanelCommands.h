// SPDX-License-Identifier: GPL-2.0-or-later
// Commands in the running panel: each goes to the target of the camera it names, the
// window's own or one beside it, and runs on that camera's session; the window follows its
// session as every other view does. Only choosing the window's camera and showing the window
// go to the window itself.
#pragma once

#include "CameraSessions.h"
#include "CameraTarget.h"
#include "Command.h"
#include "PanelControl.h"
#include "RemotePanel.h"
#include "ShowCameras.h"
#include "ShowEvents.h"
#include "Shows.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

class PanelCommands : public QObject, public RemotePanel, public ShowCameras
{
    Q_OBJECT

public:
    explicit PanelCommands(PanelControl &window);
    ~PanelCommands() override;

    void run(const Command &command, Reply reply) override;
    // A later start's arguments, in order, each after the one before has finished; none: show
    // the window. The reply carries what the command line prints.
    void runAll(const QStringList &arguments, Reply reply);
    QJsonObject state(const QString &on, Outcome &why) override;
    QJsonArray cameras() const override;
    QString nameOf(const QString &on) const override;
    int addEventSink(EventSink sink) override;
    void removeEventSink(int sink) override;
    void listenToEvents(bool more) override;
    QVector<QJsonObject> currentEvents(const QStringList &cameras) const override;
    ShowEvents &events() { return show; }
    // The shots and tours, for a board to list and follow (it runs them with run()).
    Shows &shows() { return showControl; }
    QStringList cameraNames() const override;
    // The target a command for camera `on` goes to (empty: the window's), nullptr with why
    // when none.
    CameraTarget *targetOf(const QString &on, Outcome &why) override;
    // Remote moves and preset recalls on a camera on program are refused unless forced.
    void guardProgram(bool guard);

    // How long after the window's camera the network cameras it does not show are opened.
    static constexpr int WatchDelayMs = 2000;

private:
    QString windowCameraName() const;
    // How camera `name` answers (HEALTH_...), and since when; -1 while not known.
    int healthOf(const QString &name, QDateTime *since = nullptr) const;
    // Every network camera the window does not show is kept open, so that its health is known.
    void watchNetworkCameras();
    void showHealth();
    // What the window's camera did, told as events.
    void windowConnected(bool open);
    Outcome chooseCamera(const Command &command);
    Outcome listCameras() const;
    void raise();
    void runFrom(const std::shared_ptr<QVector<Command>> &commands, int next, Outcome all,
                 const Reply &reply);

    PanelControl &panel;
    ShowEvents show;
    CameraTarget window;                 // the window's camera
    std::map<int, EventSink> eventSinks; // the remotes', while they run
    int lastSink = 0;
    CameraSessions sessions;
    Shows showControl;
    QString windowCamera;                     // the camera the window last connected
    QTimer watchSoon;                         // after the window's camera, the others
    std::map<QString, QDateTime> listedSince; // cameras seen listed, for their health's time
};
