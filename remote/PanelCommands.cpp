// SPDX-License-Identifier: GPL-2.0-or-later
#include "PanelCommands.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "CommandLine.h"

#include <QWidget>

#include <vector>

PanelCommands::PanelCommands(PanelControl &control)
    : panel(control), window(
                          control.cameraSession(), [this] { return windowCameraName(); }, show),
      sessions([&control] { return control.cameraNames(); }, show), showControl(*this, show)
{
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
    CameraSession &own = panel.cameraSession();
    show.follow(own, [this] { return windowCameraName(); });
    connect(&own, &CameraSession::connectionChanged, this, &PanelCommands::windowConnected);
    connect(&show, &ShowEvents::happened, this, [this](const QJsonObject &event) {
        if (event.value("type") == "health")
            showHealth();
    });
    // The window's camera first: the others are opened once it is served.
    watchSoon.setSingleShot(true);
    watchSoon.setInterval(WatchDelayMs);
    connect(&watchSoon, &QTimer::timeout, this, &PanelCommands::watchNetworkCameras);
    windowCamera = panel.cameraSession().isOpen() ? windowCameraName() : QString();
    show.connection(windowCamera, true);
}

PanelCommands::~PanelCommands() = default;

QString PanelCommands::windowCameraName() const
{
    return panel.cameraNames().value(panel.currentCamera());
}

void PanelCommands::windowConnected(bool open)
{
    const QString now = open ? windowCameraName() : QString();
    // The camera the window left is not driven any more, unless a session has it.
    if (!windowCamera.isEmpty() && windowCamera != now)
        show.connection(windowCamera, false);
    windowCamera = now;
    if (open)
        sessions.release(now);
    // A tour goes on with the session that drives its camera now.
    showControl.follow();
    // The window shows the tally of the camera it now drives, and lights its lamp once told.
    const QString shown = windowCameraName();
    panel.cameraSession().setTally(show.tallyOf(shown), open && show.toldTally(shown));
    // The list may have changed: the selector's marks are made again, and the cameras the
    // window does not show are watched.
    showHealth();
    watchSoon.start();
}

void PanelCommands::watchNetworkCameras()
{
    const QStringList names = panel.cameraNames();
    for (int i = 0; i < names.size(); ++i)
        if (panel.isNetworkCamera(i) && names[i] != windowCameraName())
            sessions.watch(names[i]);
    showHealth();
}

int PanelCommands::healthOf(const QString &name, QDateTime *since) const
{
    const bool shown = name == windowCameraName();
    const CameraSession *session = shown ? &panel.cameraSession() : sessions.existing(name);
    if (shown || (session && session->health() >= 0)) {
        if (since && session)
            *since = session->healthSince();
        return session ? session->health() : -1;
    }
    // A camera attached to the computer and listed, but not open, is there to answer.
    const int index = int(panel.cameraNames().indexOf(name));
    if (index < 0 || panel.isNetworkCamera(index))
        return -1;
    if (since) {
        const auto listed = listedSince.find(name);
        *since = listed == listedSince.end() ? QDateTime::currentDateTime() : listed->second;
    }
    return HEALTH_ANSWERING;
}

void PanelCommands::showHealth()
{
    const QStringList names = panel.cameraNames();
    for (auto it = listedSince.begin(); it != listedSince.end();)
        it = names.contains(it->first) ? std::next(it) : listedSince.erase(it);
    for (const QString &name : names)
        listedSince.emplace(name, QDateTime::currentDateTime());
    for (int i = 0; i < names.size(); ++i) {
        QDateTime since;
        const int state = healthOf(names[i], &since);
        panel.showHealth(i, state, since);
    }
}

void PanelCommands::guardProgram(bool guard)
{
    window.guardProgram(guard);
    sessions.guardProgram(guard);
}

QStringList PanelCommands::cameraNames() const
{
    return panel.cameraNames();
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

CameraTarget *PanelCommands::targetOf(const QString &on, Outcome &why)
{
    const QString camera = nameOf(on);
    if (on.isEmpty() || camera == windowCameraName())
        return &window;
    if (camera.isEmpty()) {
        why =
            Outcome::failed(QStringLiteral("no camera %1 is attached").arg(on), Outcome::NotFound);
        return nullptr;
    }
    CameraTarget *other = sessions.of(camera);
    if (!other)
        why = Outcome::failed("the camera library cannot reach " + camera);
    return other;
}

Outcome PanelCommands::listCameras() const
{
    QJsonArray list;
    const QStringList names = panel.cameraNames();
    for (int i = 0; i < names.size(); ++i) {
        QJsonObject camera{{"index", i}, {"name", names[i]}};
        if (const int health = healthOf(names[i]); health >= 0)
            camera.insert("health", Command::healthStates().value(health));
        list.append(camera);
    }
    return Outcome::found(list);
}

Outcome PanelCommands::chooseCamera(const Command &c)
{
    const QStringList cameras = panel.cameraNames();
    const int index = c.text.isEmpty() ? c.number : int(cameras.indexOf(c.text));
    if (index < 0 || index >= cameras.size())
        return Outcome::failed(
            cameras.isEmpty() ? QStringLiteral("no camera is attached")
                              : QStringLiteral("no camera %1 is attached")
                                    .arg(c.text.isEmpty() ? QString::number(c.number) : c.text),
            Outcome::NotFound);
    panel.chooseCamera(index);
    // Whether it answers, the next command finds out.
    return panel.cameraSession().isOpen()
               ? Outcome{}
               : Outcome::failed(QStringLiteral("%1 cannot be opened").arg(cameras.value(index)));
}

void PanelCommands::raise()
{
    QWidget &shown = panel.widget();
    shown.show();
    shown.raise();
    shown.activateWindow();
}

void PanelCommands::run(const Command &c, Reply reply)
{
    switch (c.kind) {
    case Command::List:
        reply(listCameras());
        return;
    case Command::Camera:
        reply(chooseCamera(c));
        return;
    case Command::Raise:
        raise();
        reply({});
        return;
    default:
        break;
    }
    if (Command::isShow(c.kind)) {
        showControl.run(c, std::move(reply));
        return;
    }
    Outcome why;
    CameraTarget *target = targetOf(c.on, why);
    if (!target) {
        reply(why);
        return;
    }
    if (c.kind == Command::ExportPresets || c.kind == Command::ImportPresets) {
        showControl.withPresets(
            c, [target, c](const CameraTarget::Reply &done) { target->run(c, done); },
            std::move(reply));
        return;
    }
    target->run(c, std::move(reply));
}

QJsonObject PanelCommands::state(const QString &on, Outcome &why)
{
    CameraTarget *target = targetOf(on, why);
    if (!target)
        return {};
    return target->state(int(panel.cameraNames().indexOf(target->cameraName())));
}

void PanelCommands::runAll(const QStringList &arguments, Reply reply)
{
    if (arguments.isEmpty()) {
        raise();
        reply({});
        return;
    }
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.error.isEmpty()) {
        reply(Outcome::misused(line.error));
        return;
    }
    runFrom(std::make_shared<QVector<Command>>(line.commands), 0, {}, reply);
}

void PanelCommands::runFrom(const std::shared_ptr<QVector<Command>> &commands, int next,
                            Outcome all, const Reply &reply)
{
    if (next >= commands->size()) {
        reply(all);
        return;
    }
    const Command &command = (*commands)[next];
    run(command, [this, commands, next, all, reply](const Outcome &one) {
        Outcome so = all;
        so.output += CommandLine::print((*commands)[next], one);
        if (one.exitCode) {
            reply({one.exitCode, so.output, one.error, one.cause, {}});
            return;
        }
        runFrom(commands, next + 1, so, reply);
    });
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
    return listCameras().data.toArray();
}
