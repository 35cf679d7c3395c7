#include "HttpApi.h"
#include "Command.h"
#include "PanelCommands.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSocketNotifier>

#include <microhttpd.h>

#include <arpa/inet.h>
#include <cmath>
#include <cstring>
#include <netinet/in.h>

namespace {

// A client that stops mid-request (even one that closed its side) holds its connection until
// the time-out: a flood of them costs the API a few seconds, never the window.
constexpr unsigned ConnectionLimit = 64;
constexpr unsigned ConnectionTimeoutSeconds = 3;

// Holds for the length of one request.
struct Body
{
    QByteArray data;
    bool tooLarge = false;
};

HttpApi::Reply error(int status, const QString &why)
{
    return {status, QJsonObject{{"error", why}}};
}

HttpApi::Reply fromOutcome(const Outcome &outcome, QJsonObject body = {})
{
    if (outcome.badValue)
        return error(400, outcome.error);
    if (outcome.exitCode == 1)
        return error(503, outcome.error); // the camera is absent or refused
    if (outcome.exitCode)
        return error(400, outcome.error);
    body.insert("ok", true);
    return {200, body};
}

// A whole number within [low, high] from `key` of `object`.
bool integer(const QJsonObject &object, const char *key, int low, int high, int &value)
{
    const QJsonValue v = object.value(QLatin1String(key));
    const double d = v.toDouble(0.5);
    if (!v.isDouble() || d != std::floor(d) || d < low || d > high)
        return false;
    value = int(d);
    return true;
}

// Compares without telling by its time how much of the token was right.
bool sameSecret(const QByteArray &a, const QByteArray &b)
{
    unsigned char differ = a.size() == b.size() ? 0 : 1;
    for (int i = 0; i < a.size(); ++i)
        differ |= static_cast<unsigned char>(a[i] ^ b[i % std::max(1, int(b.size()))]);
    return differ == 0;
}

MHD_Result answer(void *api, MHD_Connection *connection, const char *url, const char *method,
                  const char *, const char *upload, size_t *uploadSize, void **context)
{
    if (!*context) {
        // First the headers: a body announced too large is refused without reading it.
        auto *body = new Body;
        const char *length =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
        body->tooLarge = length && QByteArray(length).toLongLong() > HttpApi::MaxBody;
        *context = body;
        return MHD_YES;
    }
    auto *body = static_cast<Body *>(*context);
    if (*uploadSize) {
        if (body->data.size() + qint64(*uploadSize) > HttpApi::MaxBody)
            body->tooLarge = true;
        else
            body->data.append(upload, int(*uploadSize));
        *uploadSize = 0;
        return MHD_YES;
    }
    const char *authorization =
        MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Authorization");
    const HttpApi::Reply reply =
        body->tooLarge
            ? error(413, QStringLiteral("a body may hold %1 bytes").arg(HttpApi::MaxBody))
            : static_cast<HttpApi *>(api)->handle(method, url, body->data, authorization);
    QByteArray text = QJsonDocument(reply.body).toJson(QJsonDocument::Compact) + '\n';
    MHD_Response *response =
        MHD_create_response_from_buffer(size_t(text.size()), text.data(), MHD_RESPMEM_MUST_COPY);
    MHD_add_response_header(response, "Content-Type", "application/json");
    if (reply.status == 401)
        MHD_add_response_header(response, "WWW-Authenticate", "Bearer");
    const MHD_Result queued = MHD_queue_response(connection, unsigned(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

void forget(void *, MHD_Connection *, void **context, MHD_RequestTerminationCode)
{
    delete static_cast<Body *>(*context);
    *context = nullptr;
}

} // namespace

HttpApi::HttpApi(PanelCommands &panel) : commands(panel)
{
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, this, &HttpApi::serve);
    deadMan.setSingleShot(true);
    connect(&deadMan, &QTimer::timeout, this, &HttpApi::stopMotion);
}

HttpApi::~HttpApi()
{
    delete notifier;
    if (daemon)
        MHD_stop_daemon(daemon);
}

QString HttpApi::start(const QString &address, int port, const QString &secret)
{
    const QHostAddress host(address);
    if (host.isNull())
        return QStringLiteral("\"%1\" is no IP address").arg(address);
    if (!host.isLoopback() && secret.isEmpty())
        return QStringLiteral("listening on %1 needs --http-token").arg(address);
    token = secret.toUtf8();

    // Bound to that address itself: an accept policy alone would still listen on all.
    sockaddr_storage where = {};
    if (host.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *v6 = reinterpret_cast<sockaddr_in6 *>(&where);
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(quint16(port));
        const Q_IPV6ADDR bytes = host.toIPv6Address();
        std::memcpy(&v6->sin6_addr, bytes.c, sizeof bytes.c);
    } else {
        auto *v4 = reinterpret_cast<sockaddr_in *>(&where);
        v4->sin_family = AF_INET;
        v4->sin_port = htons(quint16(port));
        v4->sin_addr.s_addr = htonl(host.toIPv4Address());
    }
    const unsigned flags =
        MHD_USE_EPOLL | (host.protocol() == QAbstractSocket::IPv6Protocol ? MHD_USE_IPv6 : 0);
    daemon = MHD_start_daemon(
        flags, quint16(port), nullptr, nullptr, &answer, this, MHD_OPTION_SOCK_ADDR, &where,
        MHD_OPTION_CONNECTION_LIMIT, ConnectionLimit, MHD_OPTION_CONNECTION_TIMEOUT,
        ConnectionTimeoutSeconds, MHD_OPTION_CONNECTION_MEMORY_LIMIT, size_t(32 * 1024),
        MHD_OPTION_NOTIFY_COMPLETED, &forget, nullptr, MHD_OPTION_END);
    if (!daemon)
        return QStringLiteral("cannot listen on %1:%2").arg(address).arg(port);
    const MHD_DaemonInfo *info = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_EPOLL_FD);
    notifier = new QSocketNotifier(info->epoll_fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &HttpApi::serve);
    schedule();
    return {};
}

void HttpApi::serve()
{
    // A command may run an event loop of its own (the panel's waits): the server is not
    // entered again meanwhile.
    if (serving || !daemon)
        return;
    serving = true;
    notifier->setEnabled(false);
    MHD_run(daemon);
    notifier->setEnabled(true);
    serving = false;
    schedule();
}

void HttpApi::schedule()
{
    MHD_UNSIGNED_LONG_LONG ms = 0;
    if (MHD_get_timeout(daemon, &ms) == MHD_YES)
        timeout.start(int(std::min<MHD_UNSIGNED_LONG_LONG>(ms, 60000)));
    else
        timeout.stop();
}

void HttpApi::stopMotion()
{
    Command stop;
    stop.kind = Command::Stop;
    commands.run(stop);
}

HttpApi::Reply HttpApi::handle(const QByteArray &method, const QByteArray &path,
                               const QByteArray &body, const QByteArray &authorization)
{
    if (!token.isEmpty() && !sameSecret(authorization, "Bearer " + token))
        return error(401, "this API needs \"Authorization: Bearer\" with its token");
    QJsonObject json;
    if (!body.trimmed().isEmpty()) {
        QJsonParseError parsed;
        const QJsonDocument document = QJsonDocument::fromJson(body, &parsed);
        if (parsed.error != QJsonParseError::NoError || !document.isObject())
            return error(400, "the body is no JSON object");
        json = document.object();
    }
    const bool get = method == "GET", post = method == "POST";
    const auto wrongMethod = [&](const char *allowed) {
        return error(405, QStringLiteral("%1 takes %2").arg(QString::fromUtf8(path), allowed));
    };
    Command c;
    int n = 0;

    if (path == "/api/state")
        return get ? Reply{200, commands.state()} : wrongMethod("GET");
    if (path == "/api/cameras")
        return get ? Reply{200, QJsonObject{{"cameras", commands.cameras()}}} : wrongMethod("GET");
    if (path == "/api/position" && get) {
        c.kind = Command::GetPosition;
        const Outcome outcome = commands.run(c);
        const QStringList parts = outcome.output.trimmed().split(',');
        return fromOutcome(outcome, QJsonObject{{"pan", parts.value(0).toInt()},
                                                {"tilt", parts.value(1).toInt()}});
    }
    if (path == "/api/image" && get)
        return {200, QJsonObject{{"image", commands.state().value("image")}}};
    if (!post) {
        const QByteArrayList known = {
            "/api/camera", "/api/preset/recall", "/api/preset/store", "/api/preset/clear",
            "/api/home",   "/api/move",          "/api/zoom",         "/api/keepalive",
            "/api/stop",   "/api/position",      "/api/image",        "/api/image/reset"};
        return known.contains(path) ? wrongMethod("POST") : error(404, "no such endpoint");
    }

    if (path == "/api/camera") {
        c.kind = Command::Camera;
        if (json.value("name").isString())
            c.text = json.value("name").toString();
        else if (!integer(json, "index", 0, 255, c.number))
            return error(400, "give \"index\" (a number) or \"name\"");
    } else if (path.startsWith("/api/preset/")) {
        const QByteArray action = path.mid(12);
        if (action != "recall" && action != "store" && action != "clear")
            return error(404, "no such endpoint");
        if (!integer(json, "preset", 0, 255, n))
            return error(400, "\"preset\" must be a number from 0 to 255");
        c.kind = action == "recall"  ? Command::Preset
                 : action == "store" ? Command::Store
                                     : Command::Clear;
        c.number = n;
    } else if (path == "/api/home") {
        c.kind = Command::Home;
    } else if (path == "/api/move" || path == "/api/zoom") {
        const bool move = path == "/api/move";
        const QString direction = json.value("direction").toString();
        c.kind = move ? Command::Move : Command::Zoom;
        c.direction = move                 ? Command::directionKey(direction)
                      : direction == "in"  ? 1
                      : direction == "out" ? -1
                                           : -1000;
        if ((move && c.direction < 0) || c.direction == -1000)
            return error(400, move ? "\"direction\" must be left, right, up, down or a diagonal "
                                     "such as up-left"
                                   : "\"direction\" must be in or out");
        c.speed = 4;
        if (json.contains("speed") && !integer(json, "speed", 1, move ? 8 : 7, c.speed))
            return error(
                400, QStringLiteral("\"speed\" must be a number from 1 to %1").arg(move ? 8 : 7));
        const Reply reply = fromOutcome(commands.run(c));
        if (reply.status == 200)
            deadMan.start(KeepAliveMs); // a controller that stops talking stops the camera
        return reply;
    } else if (path == "/api/keepalive") {
        if (deadMan.isActive())
            deadMan.start(KeepAliveMs);
        return {200, QJsonObject{{"ok", true}, {"moving", deadMan.isActive()}}};
    } else if (path == "/api/stop") {
        deadMan.stop();
        c.kind = Command::Stop;
    } else if (path == "/api/position") {
        if (!integer(json, "pan", INT_MIN, INT_MAX, c.pan) ||
            !integer(json, "tilt", INT_MIN, INT_MAX, c.tilt))
            return error(400, "give \"pan\" and \"tilt\" as whole numbers");
        c.kind = Command::Position;
    } else if (path == "/api/image/reset") {
        c.kind = Command::ResetImage;
    } else if (path == "/api/image") {
        if (json.isEmpty())
            return error(400, "give one or more image values, such as {\"brightness\": 10}");
        // All checked before any is set.
        QVector<Command> settings;
        for (auto it = json.begin(); it != json.end(); ++it) {
            Command setting;
            if (it.key() == "whiteBalanceAuto" && it.value().isBool()) {
                setting.kind = Command::WhiteBalanceAuto;
                setting.number = it.value().toBool() ? 1 : 0;
            } else if (it.key() == "flicker" &&
                       QStringList{"off", "50", "60"}.contains(it.value().toString())) {
                setting.kind = Command::Flicker;
                setting.number = int(QStringList{"off", "50", "60"}.indexOf(it.value().toString()));
            } else if (Command::imageControls().contains(it.key()) &&
                       integer(json, qPrintable(it.key()), INT_MIN, INT_MAX, setting.number)) {
                setting.kind = Command::Image;
                setting.text = it.key();
            } else {
                return error(400, "\"" + it.key() + "\" is no image value, or not its kind");
            }
            settings.append(setting);
        }
        for (const Command &setting : settings) {
            const Reply reply = fromOutcome(commands.run(setting));
            if (reply.status != 200)
                return reply;
        }
        return {200, QJsonObject{{"ok", true}}};
    } else {
        return error(404, "no such endpoint");
    }
    return fromOutcome(commands.run(c));
}
