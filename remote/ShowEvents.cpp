// SPDX-License-Identifier: GPL-2.0-or-later
#include "ShowEvents.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "Command.h"

namespace {

constexpr int PositionGapMs = 1000 / ShowEvents::PositionsPerSecond;

} // namespace

ShowEvents::ShowEvents()
{
    positionReads.setInterval(PositionGapMs);
    connect(&positionReads, &QTimer::timeout, this, &ShowEvents::readPositions);
}

ShowEvents::~ShowEvents() = default;

void ShowEvents::follow(CameraSession &session, std::function<QString()> name)
{
    followed.push_back({&session, name});
    CameraSession *s = &session;
    connect(s, &CameraSession::connectionChanged, this,
            [this, name](bool open) { connection(name(), open); });
    // A camera that stops answering tells nothing of what it can do.
    connect(s, &CameraSession::capabilitiesChanged, this,
            [this, s, name] { connection(name(), s->isOpen() && s->capabilities() != 0); });
    connect(s, &CameraSession::imageLoaded, this, [this, s, name] { image(name(), imageOf(*s)); });
    connect(s, &CameraSession::glideArrived, this, [this, name] {
        const QString camera = name();
        preset(camera, "arrived", cameras[camera].lastPreset, {});
    });
    connect(s, &CameraSession::positionRead, this,
            [this, name](int pan, int tilt) { position(name(), pan, tilt); });
    connect(s, &CameraSession::healthChanged, this,
            [this, name](int state) { health(name(), state); });
}

void ShowEvents::health(const QString &camera, int state)
{
    if (camera.isEmpty())
        return;
    Camera &c = cameras[camera];
    if (c.health == state)
        return;
    // A camera that connects and answers says so by connecting; a change after it is news.
    const bool news = state >= 0 && (c.health >= 0 || state != HEALTH_ANSWERING);
    c.health = state;
    if (news)
        emitEvent(camera, "health", {{"health", Command::healthStates().value(state)}});
}

QJsonObject ShowEvents::imageOf(const CameraSession &session)
{
    QJsonObject values;
    for (int i = 0; i < ImageControl::Count; ++i)
        values.insert(Command::camelCase(Command::imageControls().value(i)),
                      session.copied(ImageControl::Id(i)).current);
    return values;
}

void ShowEvents::emitEvent(const QString &camera, const QString &type, QJsonObject fields)
{
    fields.insert("type", type);
    fields.insert("camera", camera);
    emit happened(fields);
}

void ShowEvents::connection(const QString &camera, bool connected)
{
    if (camera.isEmpty())
        return;
    Camera &c = cameras[camera];
    if (c.connected == connected)
        return;
    c.connected = connected;
    emitEvent(camera, connected ? "connected" : "disconnected", {});
}

void ShowEvents::moving(const QString &camera, const QString &what, bool moving, const QString &by)
{
    Camera &c = cameras[camera];
    bool &now = what == "zoom" ? c.zoom : c.panTilt;
    if (now == moving)
        return;
    now = moving;
    if (!moving && what != "zoom")
        c.readOnceMore = true;
    emitEvent(camera, "moving", {{"what", what}, {"moving", moving}, {"by", by}});
    watchPositions();
}

void ShowEvents::position(const QString &camera, int pan, int tilt)
{
    Camera &c = cameras[camera];
    if (c.hasPosition && c.pan == pan && c.tilt == tilt)
        return;
    c.hasPosition = true;
    c.pan = pan;
    c.tilt = tilt;
    if (c.positionSent.isValid() && c.positionSent.elapsed() < PositionGapMs) {
        if (!c.positionHeld) {
            c.positionHeld = true;
            if (!c.positionTurn) {
                c.positionTurn = std::make_unique<QTimer>();
                c.positionTurn->setSingleShot(true);
                connect(c.positionTurn.get(), &QTimer::timeout, this,
                        [this, camera] { sendPosition(camera); });
            }
            c.positionTurn->start(int(PositionGapMs - c.positionSent.elapsed()));
        }
        return;
    }
    sendPosition(camera);
}

void ShowEvents::sendPosition(const QString &camera)
{
    Camera &c = cameras[camera];
    c.positionHeld = false;
    c.positionSent.start();
    emitEvent(camera, "position", {{"pan", c.pan}, {"tilt", c.tilt}});
}

void ShowEvents::preset(const QString &camera, const QString &action, int preset, const QString &by,
                        const QString &name)
{
    if (action == "recalled")
        cameras[camera].lastPreset = preset;
    QJsonObject fields{{"action", action}, {"preset", preset}, {"by", by}};
    if (action == "named")
        fields.insert("name", name);
    emitEvent(camera, "preset", fields);
}

void ShowEvents::image(const QString &camera, const QJsonObject &values)
{
    if (!camera.isEmpty())
        emitEvent(camera, "image", {{"image", values}});
}

void ShowEvents::tally(const QString &camera, int state)
{
    Camera &c = cameras[camera];
    const bool changed = !c.tallyTold || c.tally != state;
    c.tallyTold = true;
    c.tally = state;
    if (changed)
        emitEvent(camera, "tally", {{"state", Command::tallyStates().value(state)}});
}

void ShowEvents::shot(const QString &shot, const QString &action, QJsonObject fields)
{
    fields.insert("type", "shot");
    fields.insert("shot", shot);
    fields.insert("action", action);
    emit happened(fields);
}

void ShowEvents::tour(const QString &tour, const QString &camera, const QString &action,
                      QJsonObject fields)
{
    fields.insert("tour", tour);
    fields.insert("action", action);
    emitEvent(camera, "tour", fields);
}

int ShowEvents::tallyOf(const QString &camera) const
{
    const auto it = cameras.find(camera);
    return it == cameras.end() ? 0 : it->second.tally;
}

bool ShowEvents::toldTally(const QString &camera) const
{
    const auto it = cameras.find(camera);
    return it != cameras.end() && it->second.tallyTold;
}

bool ShowEvents::isMoving(const QString &camera) const
{
    const auto it = cameras.find(camera);
    return it != cameras.end() && (it->second.panTilt || it->second.zoom);
}

QVector<QJsonObject> ShowEvents::current(const QStringList &names) const
{
    QVector<QJsonObject> state;
    for (const QString &name : names) {
        static const Camera unknown;
        const auto it = cameras.find(name);
        const Camera &c = it == cameras.end() ? unknown : it->second;
        QJsonObject event{{"type", "state"},
                          {"camera", name},
                          {"connected", c.connected},
                          {"moving", c.panTilt || c.zoom},
                          {"tally", Command::tallyStates().value(c.tally)}};
        if (c.hasPosition)
            event.insert("position", QJsonObject{{"pan", c.pan}, {"tilt", c.tilt}});
        if (c.lastPreset >= 0)
            event.insert("preset", c.lastPreset);
        if (c.health >= 0)
            event.insert("health", Command::healthStates().value(c.health));
        state.append(event);
    }
    return state;
}

void ShowEvents::listen(bool more)
{
    listeners = std::max(0, listeners + (more ? 1 : -1));
    watchPositions();
}

void ShowEvents::watchPositions()
{
    bool wanted = false;
    for (const auto &[name, c] : cameras)
        wanted = wanted || c.panTilt || c.readOnceMore;
    if (wanted && listeners > 0) {
        if (!positionReads.isActive())
            positionReads.start();
    } else {
        positionReads.stop();
    }
}

void ShowEvents::readPositions()
{
    for (const Followed &f : followed) {
        const QString name = f.name();
        const auto it = cameras.find(name);
        if (it == cameras.end() || !(it->second.panTilt || it->second.readOnceMore))
            continue;
        it->second.readOnceMore = false;
        // Never waited for here: the answer comes as the session's positionRead.
        CameraSession &session = *f.session;
        if (session.isOpen() && (session.capabilities() & CAP_POSITION))
            session.askPosition();
    }
    for (auto &[name, c] : cameras)
        c.readOnceMore = false;
    watchPositions();
}
