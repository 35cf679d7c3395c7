// SPDX-License-Identifier: GPL-2.0-or-later
#include "HttpApi.h"
#include "Command.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using Reply = HttpApi::Reply;

Reply error(int status, const QString &why)
{
    return HttpTransport::error(status, why);
}

// A whole number within [low, high] from `key` of `object`.
bool integer(const QJsonObject &object, const QString &key, int low, int high, int &value)
{
    const QJsonValue v = object.value(key);
    const double d = v.toDouble(0.5);
    if (!v.isDouble() || d != std::floor(d) || d < low || d > high)
        return false;
    value = int(d);
    return true;
}

// A whole number of `key`, or one no command takes when it is none (so that the check says
// what it must be).
int wholeOr(const QJsonObject &object, const QString &key, int fallback)
{
    int value = 0;
    return integer(object, key, INT_MIN, INT_MAX, value) ? value : fallback;
}

QByteArray eventText(const QJsonObject &event)
{
    return "data: " + QJsonDocument(event).toJson(QJsonDocument::Compact) + "\n\n";
}

} // namespace

HttpApi::HttpApi(RemotePanel &panel)
    : commands(panel),
      transport([this](const HttpTransport::Asked &asked, HttpTransport::Respond respond) {
          handle(asked, std::move(respond));
      })
{
    eventSink = commands.addEventSink([this](const QJsonObject &event) { pushEvent(event); });
    transport.onStreams([this](bool opened) { commands.listenToEvents(opened); });
}

HttpApi::~HttpApi()
{
    commands.removeEventSink(eventSink);
}

QString HttpApi::start(const QString &address, int port, const QString &token)
{
    return transport.start(address, port, token);
}

void HttpApi::pushEvent(const QJsonObject &event)
{
    transport.push(eventText(event));
}

Reply HttpApi::fromOutcome(const Outcome &outcome, QJsonObject body)
{
    switch (outcome.cause) {
    case Outcome::Done:
        break;
    case Outcome::Usage:
    case Outcome::BadValue:
        return error(400, outcome.error);
    case Outcome::NotFound:
        return error(404, outcome.error);
    case Outcome::Guarded:
        return error(409, outcome.error);
    case Outcome::NotStored:
        return error(500, outcome.error);
    case Outcome::Unsupported:
        return error(501, outcome.error);
    case Outcome::Unavailable:
        return error(503, outcome.error);
    }
    if (outcome.exitCode)
        return error(outcome.exitCode == 2 ? 400 : 503, outcome.error);
    body.insert("ok", true);
    return HttpTransport::json(body);
}

HttpApi::Reply HttpApi::withBody(const Outcome &outcome, const QJsonObject &body)
{
    Reply reply = fromOutcome(outcome, body);
    if (reply.status == 200 || body.isEmpty())
        return reply;
    QJsonObject told = body;
    told.insert("error", outcome.error);
    return HttpTransport::json(told, reply.status);
}

// Each endpoint, method and path, with what serves it; the table's order is the order the
// methods of a path are named in 405's Allow.
const HttpApi::Endpoint HttpApi::Endpoints[] = {
    {"GET", "/api/state", &HttpApi::getState},
    {"GET", "/api/cameras", &HttpApi::getCameras},
    {"POST", "/api/camera", &HttpApi::postCamera},
    {"POST", "/api/preset/recall", &HttpApi::postPreset},
    {"POST", "/api/preset/store", &HttpApi::postPreset},
    {"POST", "/api/preset/clear", &HttpApi::postPreset},
    {"POST", "/api/preset/name", &HttpApi::postPreset},
    {"GET", "/api/presets", &HttpApi::getPresets},
    {"POST", "/api/home", &HttpApi::postHome},
    {"POST", "/api/move", &HttpApi::postMotion},
    {"POST", "/api/zoom", &HttpApi::postMotion},
    {"POST", "/api/keepalive", &HttpApi::postKeepAlive},
    {"POST", "/api/stop", &HttpApi::postStop},
    {"GET", "/api/position", &HttpApi::getPosition},
    {"POST", "/api/position", &HttpApi::postPosition},
    {"GET", "/api/image", &HttpApi::getImage},
    {"POST", "/api/image", &HttpApi::postImage},
    {"POST", "/api/image/reset", &HttpApi::postImageReset},
    {"POST", "/api/tally", &HttpApi::postTally},
    {"GET", "/api/events", &HttpApi::getEvents},
    {"GET", "/api/shots", &HttpApi::getShows},
    {"PUT", "/api/shots/{name}", &HttpApi::putShow},
    {"DELETE", "/api/shots/{name}", &HttpApi::deleteShow},
    {"POST", "/api/shot/recall", &HttpApi::postShot},
    {"GET", "/api/tours", &HttpApi::getShows},
    {"PUT", "/api/tours/{name}", &HttpApi::putShow},
    {"DELETE", "/api/tours/{name}", &HttpApi::deleteShow},
    {"POST", "/api/tour/start", &HttpApi::postTour},
    {"POST", "/api/tour/stop", &HttpApi::postTour},
};

void HttpApi::handle(const HttpTransport::Asked &asked, HttpTransport::Respond respond)
{
    const Endpoint *endpoint = nullptr;
    QByteArray allow;
    QString name;
    for (const Endpoint &e : Endpoints) {
        // A path ending in {name} takes any name there (the library has decoded it).
        const QByteArray path(e.path);
        const QByteArray prefix = path.endsWith("{name}") ? path.chopped(6) : path;
        if (path == prefix ? asked.path != path
                           : !asked.path.startsWith(prefix) || asked.path.size() == prefix.size())
            continue;
        allow += (allow.isEmpty() ? "" : ", ") + QByteArray(e.method);
        if (asked.method == e.method) {
            endpoint = &e;
            name = QString::fromUtf8(asked.path.mid(prefix.size()));
        }
    }
    if (allow.isEmpty())
        return respond(error(404, "no such endpoint"));
    if (!endpoint) {
        Reply wrong = error(
            405,
            QStringLiteral("%1 takes %2").arg(QString::fromUtf8(asked.path), QLatin1String(allow)));
        wrong.allow = allow;
        return respond(wrong);
    }
    Call call;
    call.path = asked.path;
    call.name = name;
    call.respond = std::move(respond);
    if (!asked.body.trimmed().isEmpty()) {
        QJsonParseError parsed;
        const QJsonDocument document = QJsonDocument::fromJson(asked.body, &parsed);
        if (parsed.error != QJsonParseError::NoError || !document.isObject())
            return call.respond(error(400, "the body is no JSON object"));
        call.json = document.object();
    }
    // Which camera, in the body or the query.
    const QJsonValue named = call.json.value("camera");
    int index = 0;
    if (named.isString() && !named.toString().isEmpty())
        call.camera = named.toString();
    else if (integer(call.json, "camera", 0, 255, index))
        call.camera = QString::number(index);
    else if (call.json.contains("camera"))
        return call.respond(error(400, "\"camera\" must be a camera's name or index"));
    else if (const auto query = asked.query.find("camera"); query != asked.query.end())
        call.camera = query->second;
    if (!call.camera.isEmpty() && commands.nameOf(call.camera).isEmpty())
        return call.respond(
            error(404, QStringLiteral("no camera %1 is attached").arg(call.camera)));
    if (call.json.contains("force") && !call.json.value("force").isBool())
        return call.respond(error(400, "\"force\" must be true or false"));
    call.force = call.json.value("force").toBool();
    (this->*endpoint->serve)(call);
}

void HttpApi::run(const Call &call, Command c, std::function<void(const Outcome &)> then)
{
    c.on = call.camera;
    c.by = QStringLiteral("http");
    c.force = call.force;
    const std::weak_ptr<bool> api = alive;
    commands.run(c, [api, then = std::move(then)](const Outcome &outcome) {
        if (!api.expired())
            then(outcome);
    });
}

void HttpApi::run(const Call &call, Command c, QJsonObject body)
{
    const HttpTransport::Respond respond = call.respond;
    run(call, std::move(c),
        [respond, body](const Outcome &outcome) { respond(fromOutcome(outcome, body)); });
}

void HttpApi::refuse(const Call &call, Command::Value wrong, Command::Kind kind, const char *key)
{
    call.respond(error(
        400,
        QStringLiteral("\"%1\" must be %2").arg(QLatin1String(key), Command::needs(wrong, kind))));
}

void HttpApi::stopMotion(const QString &key)
{
    Command stop;
    stop.kind = Command::Stop;
    stop.on = key;
    stop.by = QStringLiteral("http keep-alive missed");
    stop.lapsed = true;
    commands.run(stop, [](const Outcome &) {});
}

QString HttpApi::deadManKey(const QString &camera) const
{
    const QString name = commands.nameOf(camera);
    return name == commands.nameOf({}) ? QString() : name;
}

QTimer &HttpApi::deadManOf(const QString &key)
{
    std::unique_ptr<QTimer> &timer = deadMen[key];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        connect(timer.get(), &QTimer::timeout, this, [this, key] { stopMotion(key); });
    }
    return *timer;
}

void HttpApi::getState(const Call &call)
{
    Outcome why;
    const QJsonObject state = commands.state(call.camera, why);
    call.respond(why.exitCode ? fromOutcome(why) : HttpTransport::json(state));
}

void HttpApi::getCameras(const Call &call)
{
    call.respond(HttpTransport::json(QJsonObject{{"cameras", commands.cameras()}}));
}

void HttpApi::postCamera(const Call &call)
{
    Command c;
    c.kind = Command::Camera;
    if (call.json.value("name").isString())
        c.text = call.json.value("name").toString();
    else if (!integer(call.json, "index", 0, 255, c.number))
        return call.respond(error(400, "give \"index\" (a number) or \"name\""));
    run(call, c);
}

void HttpApi::postPreset(const Call &call)
{
    Command c;
    const QByteArray action = call.path.mid(int(qstrlen("/api/preset/")));
    c.kind = action == "recall"  ? Command::Preset
             : action == "store" ? Command::Store
             : action == "name"  ? Command::NamePreset
                                 : Command::Clear;
    const QJsonValue preset = call.json.value("preset");
    c.text = preset.isString() ? preset.toString() : QString();
    c.number = preset.isString() ? 0 : wholeOr(call.json, "preset", -1);
    if (preset.isString() && c.text.isEmpty())
        c.number = -1;
    if (call.json.contains("speed") && c.kind != Command::Preset && c.kind != Command::Store)
        return call.respond(error(400, "only a recall or a store takes \"speed\""));
    // Given, a speed or duration of 0 is no speed or duration at all: refused as such.
    if (call.json.contains("speed"))
        c.speed = wholeOr(call.json, "speed", -1) ?: -1;
    if (call.json.contains("duration")) {
        if (c.kind != Command::Preset || call.json.contains("speed"))
            return call.respond(
                error(400, "only a recall takes \"duration\", and not with \"speed\""));
        const QJsonValue duration = call.json.value("duration");
        c.seconds = duration.isDouble() && duration.toDouble() != 0 ? duration.toDouble() : NAN;
    }
    if (c.kind == Command::NamePreset) {
        if (!call.json.value("name").isString())
            return call.respond(error(400, "give \"name\", a text (\"\" takes the name away)"));
        c.name = call.json.value("name").toString();
    }
    Command::Value wrong;
    if (!c.check(wrong)) {
        if (wrong == Command::NameValue)
            return call.respond(error(400, Command::presetNameProblem(c.name)));
        static const std::map<Command::Value, const char *> keys = {
            {Command::PresetValue, "preset"},
            {Command::SpeedValue, "speed"},
            {Command::DurationValue, "duration"}};
        return refuse(call, wrong, c.kind, keys.at(wrong));
    }
    run(call, c);
}

void HttpApi::getPresets(const Call &call)
{
    Command c;
    c.kind = Command::ListPresets;
    const HttpTransport::Respond respond = call.respond;
    run(call, c, [respond](const Outcome &outcome) {
        respond(fromOutcome(outcome, QJsonObject{{"presets", outcome.data.toArray()}}));
    });
}

void HttpApi::postHome(const Call &call)
{
    Command c;
    c.kind = Command::Home;
    run(call, c);
}

void HttpApi::postMotion(const Call &call)
{
    Command c;
    const bool move = call.path == "/api/move";
    const QString direction = call.json.value("direction").toString();
    c.kind = move ? Command::Move : Command::Zoom;
    c.direction = move ? Command::directionKey(direction)
                       : Command::indexOf(Command::zoomDirections(), direction) - 1;
    c.speed = call.json.contains("speed") ? wholeOr(call.json, "speed", -1) : Command::DefaultSpeed;
    Command::Value wrong;
    if (!c.check(wrong))
        return refuse(call, wrong, c.kind,
                      wrong == Command::DirectionValue ? "direction" : "speed");
    const HttpTransport::Respond respond = call.respond;
    const QString key = deadManKey(call.camera);
    run(call, c, [this, respond, key](const Outcome &outcome) {
        const Reply reply = fromOutcome(outcome);
        if (reply.status == 200) // a controller that stops talking stops the camera
            deadManOf(key).start(KeepAliveMs);
        respond(reply);
    });
}

void HttpApi::postKeepAlive(const Call &call)
{
    // Without a camera, for every move this API started.
    bool moving = false;
    const QString key = deadManKey(call.camera);
    for (auto &[which, timer] : deadMen) {
        if ((call.camera.isEmpty() || which == key) && timer->isActive()) {
            timer->start(KeepAliveMs);
            moving = true;
        }
    }
    call.respond(HttpTransport::json(QJsonObject{{"ok", true}, {"moving", moving}}));
}

void HttpApi::postStop(const Call &call)
{
    deadManOf(deadManKey(call.camera)).stop();
    Command c;
    c.kind = Command::Stop;
    run(call, c);
}

void HttpApi::postTally(const Call &call)
{
    Command c;
    c.kind = Command::Tally;
    c.number = Command::indexOf(Command::tallyStates(), call.json.value("state").toString());
    Command::Value wrong;
    if (!c.check(wrong))
        return refuse(call, wrong, c.kind, "state");
    run(call, c);
}

void HttpApi::getEvents(const Call &call)
{
    QStringList names;
    for (const QJsonValue camera : commands.cameras())
        names << camera.toObject().value("name").toString();
    Reply stream;
    stream.stream = true;
    for (const QJsonObject &state : commands.currentEvents(names))
        stream.body += eventText(state);
    call.respond(stream);
}

void HttpApi::getPosition(const Call &call)
{
    Command c;
    c.kind = Command::GetPosition;
    const HttpTransport::Respond respond = call.respond;
    run(call, c, [respond](const Outcome &outcome) {
        respond(fromOutcome(outcome, outcome.data.toObject()));
    });
}

void HttpApi::postPosition(const Call &call)
{
    Command c;
    if (!integer(call.json, "pan", INT_MIN, INT_MAX, c.pan) ||
        !integer(call.json, "tilt", INT_MIN, INT_MAX, c.tilt))
        return call.respond(error(400, "give \"pan\" and \"tilt\" as whole numbers"));
    c.kind = Command::Position;
    run(call, c);
}

void HttpApi::getImage(const Call &call)
{
    Outcome why;
    const QJsonObject state = commands.state(call.camera, why);
    call.respond(why.exitCode ? fromOutcome(why)
                              : HttpTransport::json(QJsonObject{{"image", state.value("image")}}));
}

void HttpApi::postImageReset(const Call &call)
{
    Command c;
    c.kind = Command::ResetImage;
    run(call, c);
}

void HttpApi::postImage(const Call &call)
{
    const QJsonObject &json = call.json;
    if (json.isEmpty() || (json.size() == 1 && json.contains("camera")))
        return call.respond(
            error(400, "give one or more image values, such as {\"brightness\": 10}"));
    // All checked before any is set.
    auto settings = std::make_shared<QVector<Command>>();
    for (auto it = json.begin(); it != json.end(); ++it) {
        if (it.key() == "camera" || it.key() == "force")
            continue;
        Command setting;
        // The option's own spelling ("white-balance") is still taken, for a release.
        const auto control =
            std::find_if(Command::imageControls().begin(), Command::imageControls().end(),
                         [&](const QString &name) {
                             return it.key() == Command::camelCase(name) || it.key() == name;
                         });
        int value = 0;
        if (it.key() == "whiteBalanceAuto" && it.value().isBool()) {
            setting.kind = Command::WhiteBalanceAuto;
            setting.number = it.value().toBool() ? 1 : 0;
        } else if (it.key() == "flicker" &&
                   Command::indexOf(Command::flickerModes(), it.value().toString()) >= 0) {
            setting.kind = Command::Flicker;
            setting.number = Command::indexOf(Command::flickerModes(), it.value().toString());
        } else if (control != Command::imageControls().end() &&
                   integer(json, it.key(), INT_MIN, INT_MAX, value)) {
            setting.kind = Command::Image;
            setting.text = *control;
            setting.number = value;
        } else {
            return call.respond(
                error(400, "\"" + it.key() + "\" is no image value, or not its kind"));
        }
        settings->append(setting);
    }
    setImage(call, settings, 0);
}

void HttpApi::setImage(const Call &call, std::shared_ptr<QVector<Command>> settings, int next)
{
    if (next >= settings->size())
        return call.respond(HttpTransport::json(QJsonObject{{"ok", true}}));
    run(call, (*settings)[next], [this, call, settings, next](const Outcome &outcome) {
        const Reply reply = fromOutcome(outcome);
        if (reply.status != 200)
            return call.respond(reply);
        setImage(call, settings, next + 1);
    });
}

void HttpApi::getShows(const Call &call)
{
    Command c;
    const bool tours = call.path == "/api/tours";
    c.kind = tours ? Command::ListTours : Command::ListShots;
    const HttpTransport::Respond respond = call.respond;
    run(call, c, [respond, tours](const Outcome &outcome) {
        respond(
            fromOutcome(outcome, QJsonObject{{tours ? "tours" : "shots", outcome.data.toArray()}}));
    });
}

void HttpApi::putShow(const Call &call)
{
    Command c;
    c.kind = call.path.startsWith("/api/tours/") ? Command::DefineTour : Command::DefineShot;
    c.name = call.name;
    QString why;
    if (!c.readDefinition(call.json, why))
        return call.respond(error(400, why));
    Command::Value wrong;
    if (!c.check(wrong)) {
        if (wrong == Command::ShowValue)
            return call.respond(error(400, Command::showNameProblem(c.name)));
        static const std::map<Command::Value, const char *> keys = {
            {Command::PresetValue, "preset"},     {Command::SpeedValue, "speed"},
            {Command::DurationValue, "duration"}, {Command::DwellValue, "dwell"},
            {Command::CameraValue, "camera"},     {Command::CuesValue, "cameras"}};
        return refuse(call, wrong, c.kind,
                      wrong == Command::CuesValue && c.kind == Command::DefineTour
                          ? "steps"
                          : keys.at(wrong));
    }
    const HttpTransport::Respond respond = call.respond;
    run(call, c,
        [respond](const Outcome &outcome) { respond(withBody(outcome, outcome.data.toObject())); });
}

void HttpApi::deleteShow(const Call &call)
{
    Command c;
    c.kind = call.path.startsWith("/api/tours/") ? Command::DeleteTour : Command::DeleteShot;
    c.name = call.name;
    Command::Value wrong;
    if (!c.check(wrong))
        return call.respond(error(400, Command::showNameProblem(c.name)));
    run(call, c);
}

void HttpApi::postShot(const Call &call)
{
    Command c;
    c.kind = Command::Shot;
    c.name = call.json.value("shot").toString();
    if (!call.json.value("shot").isString())
        return call.respond(error(400, "give \"shot\", a shot's name"));
    if (call.json.contains("duration")) {
        const QJsonValue duration = call.json.value("duration");
        c.seconds = duration.isDouble() && duration.toDouble() != 0 ? duration.toDouble() : NAN;
    }
    Command::Value wrong;
    if (!c.check(wrong))
        return wrong == Command::ShowValue
                   ? call.respond(error(400, Command::showNameProblem(c.name)))
                   : refuse(call, wrong, c.kind, "duration");
    const HttpTransport::Respond respond = call.respond;
    run(call, c,
        [respond](const Outcome &outcome) { respond(withBody(outcome, outcome.data.toObject())); });
}

void HttpApi::postTour(const Call &call)
{
    Command c;
    const bool start = call.path == "/api/tour/start";
    c.kind = start ? Command::Tour : Command::StopTour;
    const QJsonValue tour = call.json.value("tour");
    if (start ? !tour.isString() : !tour.isUndefined() && !tour.isString())
        return call.respond(error(400, start ? "give \"tour\", a tour's name"
                                             : "\"tour\" must be a tour's name, or none for all"));
    c.name = tour.toString();
    Command::Value wrong;
    if (!c.check(wrong))
        return call.respond(error(400, Command::showNameProblem(c.name)));
    run(call, c);
}
