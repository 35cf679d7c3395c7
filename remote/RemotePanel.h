// SPDX-License-Identifier: GPL-2.0-or-later
// What the HTTP API and the OSC endpoint ask of the running panel (PanelCommands gives it).
// Each lives in a module of its own and sees the panel through this interface alone.
#pragma once

#include "Command.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QVector>

#include <functional>

class RemotePanel
{
public:
    using EventSink = std::function<void(const QJsonObject &event)>;
    // Called once with what a command did: at once, or once its camera has answered. Never
    // called after the panel is gone.
    using Reply = std::function<void(const Outcome &outcome)>;

    virtual ~RemotePanel() = default;

    // On the camera `command.on` names, the window's own when it names none or that one.
    virtual void run(const Command &command, Reply reply) = 0;
    // What the panel knows of camera `on` (empty: the window's): its name, image values,
    // modes, tally and last read position, without asking the camera; NotFound in `why` when
    // there is none such.
    virtual QJsonObject state(const QString &on, Outcome &why) = 0;
    virtual QJsonArray cameras() const = 0;
    // The name of camera `on` (a name or an index; empty: the window's camera), "" when
    // there is none such.
    virtual QString nameOf(const QString &on) const = 0;

    // Every camera's events go to `sink` as well from now on, until it is removed by the
    // number returned. Both remotes may listen at once.
    virtual int addEventSink(EventSink sink) = 0;
    virtual void removeEventSink(int sink) = 0;
    // A listener came (true) or went: positions are read for events only while one is open.
    virtual void listenToEvents(bool more) = 0;
    // What a new listener is told first: a "state" event per camera.
    virtual QVector<QJsonObject> currentEvents(const QStringList &cameras) const = 0;
};
