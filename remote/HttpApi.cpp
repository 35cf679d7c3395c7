// SPDX-License-Identifier: GPL-2.0-or-later
#include "HttpApi.h"
#include "Command.h"

#include <QCryptographicHash>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSocketNotifier>

#include <microhttpd.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Room for a burst of refusals to be read; beyond it they are closed at once.
constexpr size_t MaxRefused = 256;
constexpr int RefusedLingerMs = 2000;

// Holds for the length of one request.
struct Exchange
{
    QByteArray body;
    HttpApi::Reply refusal; // status 0: none
    bool answered = false;
};

HttpApi::Reply error(int status, const QString &why)
{
    return {status, QJsonObject{{"error", why}}, {}};
}

HttpApi::Reply tooLarge()
{
    return error(413, QStringLiteral("a body may hold %1 bytes").arg(HttpApi::MaxBody));
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

// Compares without telling by its time how much of the token, or how long a part, was right.
bool sameSecret(const QByteArray &a, const QByteArray &b)
{
    const QByteArray x = QCryptographicHash::hash(a, QCryptographicHash::Sha256);
    const QByteArray y = QCryptographicHash::hash(b, QCryptographicHash::Sha256);
    unsigned char differ = 0;
    for (int i = 0; i < x.size(); ++i)
        differ |= static_cast<unsigned char>(x[i] ^ y[i]);
    return differ == 0;
}

// The media type of a Content-Type value, without parameters, in lower case.
QByteArray mediaType(const QByteArray &value)
{
    const int semicolon = value.indexOf(';');
    return (semicolon < 0 ? value : value.left(semicolon)).trimmed().toLower();
}

QByteArray header(MHD_Connection *connection, const char *name)
{
    const char *value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
    return value ? QByteArray(value) : QByteArray();
}

} // namespace

// The library's callbacks, with access to the server they serve.
struct HttpCallbacks
{
    static MHD_Result queue(MHD_Connection *connection, Exchange &exchange,
                            const HttpApi::Reply &reply)
    {
        exchange.answered = true;
        QByteArray text = QJsonDocument(reply.body).toJson(QJsonDocument::Compact) + '\n';
        MHD_Response *response = MHD_create_response_from_buffer(size_t(text.size()), text.data(),
                                                                 MHD_RESPMEM_MUST_COPY);
        MHD_add_response_header(response, "Content-Type", "application/json");
        MHD_add_response_header(response, "Cache-Control", "no-store");
        MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
        if (reply.status == 401)
            MHD_add_response_header(response, "WWW-Authenticate", "Bearer");
        if (!reply.allow.isEmpty())
            MHD_add_response_header(response, "Allow", reply.allow.constData());
        const MHD_Result queued = MHD_queue_response(connection, unsigned(reply.status), response);
        MHD_destroy_response(response);
        return queued;
    }

    static MHD_Result answer(void *server, MHD_Connection *connection, const char *url,
                             const char *method, const char *, const char *upload,
                             size_t *uploadSize, void **context)
    {
        auto *api = static_cast<HttpApi *>(server);
        if (!*context) {
            // First the headers: what they refuse is refused before any body is read, and a
            // body announced too large is never read at all.
            auto *exchange = new Exchange;
            *context = exchange;
            HttpApi::Request request;
            request.method = method;
            request.host = header(connection, "Host");
            request.origin = header(connection, "Origin");
            request.contentType = header(connection, "Content-Type");
            request.authorization = header(connection, "Authorization");
            const QByteArray length = header(connection, "Content-Length");
            request.announcedLength = length.isEmpty() ? 0 : length.toLongLong();
            request.carriesBody = request.announcedLength != 0 || length.startsWith('-') ||
                                  !header(connection, "Transfer-Encoding").isEmpty();
            exchange->refusal = api->screen(request);
            if (exchange->refusal.status == 413)
                return queue(connection, *exchange, exchange->refusal);
            return MHD_YES;
        }
        auto *exchange = static_cast<Exchange *>(*context);
        if (exchange->answered) {
            *uploadSize = 0;
            return MHD_YES;
        }
        if (*uploadSize) {
            const qint64 size = qint64(*uploadSize);
            *uploadSize = 0;
            // No answer can be given in the middle of a body: the rest of one too large (sent
            // in chunks, with no length said first) is let go unread, and answered at its end.
            if (exchange->refusal.status == 0 && exchange->body.size() + size > HttpApi::MaxBody)
                exchange->refusal = tooLarge();
            if (exchange->refusal.status == 0)
                exchange->body.append(upload, int(size));
            return MHD_YES;
        }
        // The whole request is in: its time now runs only while it is answered.
        const auto peer = api->peers.find(connection);
        if (peer != api->peers.end())
            peer->second.deadline = QDeadlineTimer(QDeadlineTimer::Forever);
        if (!exchange->refusal.status && qstrcmp(url, "/api/events") == 0 &&
            qstrcmp(method, "GET") == 0) {
            bool opened = false;
            const HttpApi::Reply refused = api->openStream(connection, opened);
            if (opened) {
                exchange->answered = true;
                return MHD_YES;
            }
            return queue(connection, *exchange, refused);
        }
        const char *camera =
            MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, "camera");
        const HttpApi::Reply reply =
            exchange->refusal.status ? exchange->refusal
                                     : api->handle(method, url, exchange->body,
                                                   camera ? QString::fromUtf8(camera) : QString());
        return queue(connection, *exchange, reply);
    }

    // What an event stream's reader takes next; with nothing to take, the connection rests
    // until an event comes.
    static ssize_t readStream(void *context, uint64_t, char *buffer, size_t room)
    {
        auto *stream = static_cast<HttpApi::Stream *>(context);
        if (stream->dropped)
            return MHD_CONTENT_READER_END_WITH_ERROR;
        if (stream->pending.isEmpty()) {
            MHD_suspend_connection(stream->connection);
            stream->suspended = true;
            return 0;
        }
        const size_t n = std::min(room, size_t(stream->pending.size()));
        std::memcpy(buffer, stream->pending.constData(), n);
        stream->pending.remove(0, int(n));
        return ssize_t(n);
    }

    static void closeStream(void *context)
    {
        auto *stream = static_cast<HttpApi::Stream *>(context);
        HttpApi *api = stream->api;
        api->commands.listenToEvents(false);
        api->streams.erase(std::remove_if(api->streams.begin(), api->streams.end(),
                                          [stream](const std::unique_ptr<HttpApi::Stream> &s) {
                                              return s.get() == stream;
                                          }),
                           api->streams.end());
    }

    static void completed(void *server, MHD_Connection *connection, void **context,
                          MHD_RequestTerminationCode)
    {
        delete static_cast<Exchange *>(*context);
        *context = nullptr;
        // On a connection kept alive the next request must come, whole, in time too.
        auto *api = static_cast<HttpApi *>(server);
        const auto peer = api->peers.find(connection);
        if (peer != api->peers.end())
            peer->second.deadline = QDeadlineTimer(HttpApi::IdleSeconds * 1000);
    }

    static void notify(void *server, MHD_Connection *connection, void **,
                       MHD_ConnectionNotificationCode code)
    {
        auto *api = static_cast<HttpApi *>(server);
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            const MHD_ConnectionInfo *info =
                MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
            api->peers[connection] = {info ? info->connect_fd : -1,
                                      QDeadlineTimer(HttpApi::IdleSeconds * 1000)};
            api->watchOverdue();
        } else {
            api->peers.erase(connection);
        }
    }
};

HttpApi::HttpApi(RemotePanel &panel) : commands(panel)
{
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, this, &HttpApi::serve);
    heartbeats.setInterval(HeartbeatMs);
    connect(&heartbeats, &QTimer::timeout, this, &HttpApi::heartbeat);
    eventSink = commands.addEventSink([this](const QJsonObject &event) { push(event); });
    overdue.setInterval(500);
    connect(&overdue, &QTimer::timeout, this, &HttpApi::closeOverdue);
    acceptAgain.setSingleShot(true);
    connect(&acceptAgain, &QTimer::timeout, this, &HttpApi::accept);
}

HttpApi::~HttpApi()
{
    commands.removeEventSink(eventSink);
    incoming.reset();
    events.reset();
    // The library stops only with no connection resting.
    for (const std::unique_ptr<Stream> &stream : streams) {
        stream->dropped = true;
        resume(*stream);
    }
    if (daemon && !streams.empty())
        MHD_run(daemon);
    if (daemon)
        MHD_stop_daemon(daemon);
    for (const Refused &r : refused)
        ::close(r.fd);
    if (listener >= 0)
        ::close(listener);
}

QString HttpApi::start(const QString &address, int port, const QString &secret)
{
    if (daemon)
        return QStringLiteral("this panel serves its HTTP API already");
    const QHostAddress host(address);
    if (host.isNull())
        return QStringLiteral("\"%1\" is no IP address").arg(address);
    loopback = host.isLoopback();
    if (!loopback && secret.isEmpty())
        return QStringLiteral("listening on %1 needs a token (--http-token-file, "
                              "PTZ_PANEL_HTTP_TOKEN or --http-token)")
            .arg(address);
    token = secret.toUtf8();
    const bool v6 = host.protocol() == QAbstractSocket::IPv6Protocol;
    const QString own =
        (v6 ? "[" + host.toString() + "]" : host.toString()) + ':' + QString::number(port);
    ownAuthorities = {own.toLatin1().toLower()};
    if (loopback)
        ownAuthorities << "localhost:" + QByteArray::number(port);
    // Browsers and clients leave HTTP's own port out of Host and Origin.
    if (port == 80)
        for (int i = 0, n = int(ownAuthorities.size()); i < n; ++i)
            ownAuthorities << ownAuthorities[i].left(ownAuthorities[i].lastIndexOf(':'));

    // Our own listening socket, bound to that address itself (an accept policy alone would
    // still listen on all), so that it is never out of the poll set whatever the library does.
    sockaddr_storage where = {};
    socklen_t length = 0;
    if (v6) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&where);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(quint16(port));
        const Q_IPV6ADDR bytes = host.toIPv6Address();
        std::memcpy(&in6->sin6_addr, bytes.c, sizeof bytes.c);
        length = sizeof *in6;
    } else {
        auto *in4 = reinterpret_cast<sockaddr_in *>(&where);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(quint16(port));
        in4->sin_addr.s_addr = htonl(host.toIPv4Address());
        length = sizeof *in4;
    }
    listener = ::socket(where.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (listener < 0 || setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        (v6 && setsockopt(listener, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on) != 0) ||
        ::bind(listener, reinterpret_cast<sockaddr *>(&where), length) != 0 ||
        ::listen(listener, SOMAXCONN) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        if (listener >= 0)
            ::close(listener);
        listener = -1;
        return QStringLiteral("cannot listen on %1:%2: %3").arg(address).arg(port).arg(why);
    }

    daemon = MHD_start_daemon(
        MHD_USE_EPOLL | MHD_USE_NO_LISTEN_SOCKET | MHD_ALLOW_SUSPEND_RESUME |
            (v6 ? MHD_USE_IPv6 : 0),
        0, nullptr, nullptr, &HttpCallbacks::answer, this, MHD_OPTION_CONNECTION_LIMIT,
        unsigned(2 * MaxConnections), MHD_OPTION_CONNECTION_TIMEOUT, unsigned(IdleSeconds),
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, size_t(32 * 1024), MHD_OPTION_NOTIFY_COMPLETED,
        &HttpCallbacks::completed, this, MHD_OPTION_NOTIFY_CONNECTION, &HttpCallbacks::notify, this,
        MHD_OPTION_END);
    if (!daemon) {
        ::close(listener);
        listener = -1;
        return QStringLiteral("cannot serve HTTP on %1:%2").arg(address).arg(port);
    }
    const MHD_DaemonInfo *info = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_EPOLL_FD);
    events = std::make_unique<QSocketNotifier>(info->epoll_fd, QSocketNotifier::Read);
    connect(events.get(), &QSocketNotifier::activated, this, &HttpApi::serve);
    incoming = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    connect(incoming.get(), &QSocketNotifier::activated, this, &HttpApi::accept);
    schedule();
    return {};
}

void HttpApi::accept()
{
    if (serving || !daemon)
        return; // taken up once the request being answered is done
    // A few at a time, so that a flood of connections leaves the window its turns.
    for (int i = 0; i < 64; ++i) {
        sockaddr_storage from = {};
        socklen_t length = sizeof from;
        const int fd = ::accept4(listener, reinterpret_cast<sockaddr *>(&from), &length,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // Out of descriptors: wait for some to close rather than spin on the backlog.
                incoming->setEnabled(false);
                acceptAgain.start(100);
            }
            break;
        }
        // Event streams have a limit of their own.
        if (int(peers.size()) - int(streams.size()) >= MaxConnections) {
            refuse(fd);
            continue;
        }
        // Closed by the library if it cannot take it.
        MHD_add_connection(daemon, fd, reinterpret_cast<sockaddr *>(&from), length);
    }
    if (!acceptAgain.isActive())
        incoming->setEnabled(true);
    serve();
}

void HttpApi::refuse(int fd)
{
    static const QByteArray why = R"({"error":"too many connections; try again"})"
                                  "\n";
    static const QByteArray text = "HTTP/1.1 503 Service Unavailable\r\n"
                                   "Content-Type: application/json\r\n"
                                   "Content-Length: " +
                                   QByteArray::number(why.size()) +
                                   "\r\n"
                                   "Connection: close\r\n"
                                   "Retry-After: 1\r\n\r\n" +
                                   why;
    ::send(fd, text.constData(), size_t(text.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
    ::shutdown(fd, SHUT_WR);
    // Closed with its request unread, the socket would reset the connection, and the client
    // might lose the answer: it stays until the client has gone, briefly.
    if (refused.size() >= MaxRefused) {
        ::close(fd);
        return;
    }
    refused.push_back({fd, QDeadlineTimer(RefusedLingerMs)});
    watchOverdue();
}

void HttpApi::watchOverdue()
{
    if (!overdue.isActive())
        overdue.start();
}

void HttpApi::closeOverdue()
{
    char sink[4096];
    for (auto it = refused.begin(); it != refused.end();) {
        ssize_t got = 0;
        while ((got = ::recv(it->fd, sink, sizeof sink, MSG_DONTWAIT)) > 0) {
        }
        const bool gone = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        if (gone || it->deadline.hasExpired()) {
            ::close(it->fd);
            it = refused.erase(it);
        } else {
            ++it;
        }
    }
    bool closed = false;
    for (auto &[connection, peer] : peers)
        if (peer.fd >= 0 && peer.deadline.hasExpired()) {
            // The library sees the end of the connection and lets it go.
            ::shutdown(peer.fd, SHUT_RDWR);
            peer.deadline = QDeadlineTimer(QDeadlineTimer::Forever);
            closed = true;
        }
    if (peers.empty() && refused.empty())
        overdue.stop();
    if (closed)
        serve();
}

void HttpApi::serve()
{
    // A command may run an event loop of its own (the panel's waits): the server is not
    // entered again meanwhile, and takes no new connection.
    if (serving || !daemon)
        return;
    serving = true;
    events->setEnabled(false);
    incoming->setEnabled(false);
    // A stream resumed while the library ran (an event a request caused) is only taken up
    // by a run after it: nothing else would wake the library for it.
    do {
        resumed = false;
        MHD_run(daemon);
    } while (resumed);
    events->setEnabled(true);
    incoming->setEnabled(!acceptAgain.isActive());
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

void HttpApi::stopMotion(const QString &which)
{
    Command stop;
    stop.kind = Command::Stop;
    stop.on = which;
    stop.by = QStringLiteral("http keep-alive missed");
    commands.run(stop);
}

QString HttpApi::deadManKey() const
{
    const QString name = commands.nameOf(camera);
    return name == commands.nameOf({}) ? QString() : name;
}

QTimer &HttpApi::deadManOf(const QString &which)
{
    std::unique_ptr<QTimer> &timer = deadMen[which];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        connect(timer.get(), &QTimer::timeout, this, [this, which] { stopMotion(which); });
    }
    return *timer;
}

Outcome HttpApi::run(Command c)
{
    c.on = camera;
    c.by = QStringLiteral("http");
    c.force = force;
    return commands.run(c);
}

HttpApi::Reply HttpApi::openStream(MHD_Connection *connection, bool &opened)
{
    opened = false;
    if (int(streams.size()) >= MaxStreams)
        return error(503, QStringLiteral("%1 event streams are open already").arg(MaxStreams));
    auto stream = std::make_unique<Stream>();
    stream->api = this;
    stream->connection = connection;
    QStringList names;
    for (const QJsonValue camera : commands.cameras())
        names << camera.toObject().value("name").toString();
    for (const QJsonObject &state : commands.currentEvents(names))
        stream->pending += "data: " + QJsonDocument(state).toJson(QJsonDocument::Compact) + "\n\n";
    MHD_Response *response =
        MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 4096, &HttpCallbacks::readStream,
                                          stream.get(), &HttpCallbacks::closeStream);
    if (!response)
        return error(503, "cannot open an event stream");
    MHD_add_response_header(response, "Content-Type", "text/event-stream");
    MHD_add_response_header(response, "Cache-Control", "no-store");
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    const MHD_Result queued = MHD_queue_response(connection, 200, response);
    MHD_destroy_response(response);
    if (queued != MHD_YES)
        return error(503, "cannot open an event stream");
    // A stream waits for events as long as its reader stays.
    MHD_set_connection_option(connection, MHD_CONNECTION_OPTION_TIMEOUT, 0u);
    const auto peer = peers.find(connection);
    if (peer != peers.end()) {
        peer->second.deadline = QDeadlineTimer(QDeadlineTimer::Forever);
        // What a reader has not taken stays bounded in the kernel too, not only here.
        const int room = StreamBuffer / 2;
        setsockopt(peer->second.fd, SOL_SOCKET, SO_SNDBUF, &room, sizeof room);
    }
    streams.push_back(std::move(stream));
    commands.listenToEvents(true);
    if (!heartbeats.isActive())
        heartbeats.start();
    opened = true;
    return {};
}

void HttpApi::push(const QJsonObject &event)
{
    if (!streams.empty())
        pushText("data: " + QJsonDocument(event).toJson(QJsonDocument::Compact) + "\n\n");
}

void HttpApi::heartbeat()
{
    // A comment: it finds the readers that have gone while nothing happened.
    if (streams.empty())
        heartbeats.stop();
    else
        pushText(":\n\n");
}

void HttpApi::pushText(const QByteArray &text)
{
    for (const std::unique_ptr<Stream> &stream : streams) {
        if (stream->dropped)
            continue;
        if (stream->pending.size() + text.size() > StreamBuffer) {
            dropStream(*stream);
            continue;
        }
        stream->pending += text;
        resume(*stream);
    }
    // Out at once, unless a request is being answered: then once it is.
    if (!serving)
        serve();
}

void HttpApi::resume(Stream &stream)
{
    if (!stream.suspended)
        return;
    stream.suspended = false;
    MHD_resume_connection(stream.connection);
    resumed = true;
}

void HttpApi::dropStream(Stream &stream)
{
    // A reader this far behind is not waited for: it would hold the panel's memory.
    stream.dropped = true;
    stream.pending.clear();
    const auto peer = peers.find(stream.connection);
    if (peer != peers.end() && peer->second.fd >= 0)
        ::shutdown(peer->second.fd, SHUT_RDWR);
    resume(stream);
}

HttpApi::Reply HttpApi::screen(const Request &request) const
{
    // A page the user visits may reach the loopback under a name of its own (DNS rebinding):
    // there only the server's own address is its name.
    if (loopback && !ownAuthorities.contains(request.host.trimmed().toLower()))
        return error(403, "this API answers only requests to " + QString(ownAuthorities[0]) +
                              " or " + QString(ownAuthorities[1]));
    // A page's own requests carry its Origin; only the server's own is taken.
    if (!request.origin.isEmpty()) {
        const QByteArray origin = request.origin.trimmed().toLower();
        const QByteArray host = request.host.trimmed().toLower();
        const bool own = origin.startsWith("http://") &&
                         (ownAuthorities.contains(origin.mid(7)) ||
                          (!loopback && !host.isEmpty() && origin.mid(7) == host));
        if (!own)
            return error(403, "this API takes no requests from web pages of other sites");
    }
    if (!token.isEmpty()) {
        const QByteArray authorization = request.authorization.trimmed();
        const int space = authorization.indexOf(' ');
        const bool bearer =
            space > 0 && authorization.left(space).compare("bearer", Qt::CaseInsensitive) == 0;
        if (!bearer || !sameSecret(authorization.mid(space + 1).trimmed(), token))
            return error(401, "this API needs \"Authorization: Bearer\" with its token");
    }
    // No page can send a JSON body elsewhere without asking first, which is never granted.
    if ((request.carriesBody || !request.contentType.isEmpty()) &&
        mediaType(request.contentType) != "application/json")
        return error(403, "a body must be sent as \"Content-Type: application/json\"");
    if (request.announcedLength > MaxBody || request.announcedLength < 0)
        return tooLarge();
    return {0, {}, {}};
}

HttpApi::Reply HttpApi::fromOutcome(const Outcome &outcome, QJsonObject body) const
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
    return {200, body, {}};
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
};

HttpApi::Reply HttpApi::handle(const QByteArray &method, const QByteArray &path,
                               const QByteArray &body, const QString &queryCamera)
{
    const Endpoint *endpoint = nullptr;
    QByteArray allow;
    for (const Endpoint &e : Endpoints) {
        if (path != e.path)
            continue;
        allow += (allow.isEmpty() ? "" : ", ") + QByteArray(e.method);
        if (method == e.method)
            endpoint = &e;
    }
    if (allow.isEmpty())
        return error(404, "no such endpoint");
    if (!endpoint) {
        Reply wrong = error(
            405, QStringLiteral("%1 takes %2").arg(QString::fromUtf8(path), QLatin1String(allow)));
        wrong.allow = allow;
        return wrong;
    }
    QJsonObject json;
    if (!body.trimmed().isEmpty()) {
        QJsonParseError parsed;
        const QJsonDocument document = QJsonDocument::fromJson(body, &parsed);
        if (parsed.error != QJsonParseError::NoError || !document.isObject())
            return error(400, "the body is no JSON object");
        json = document.object();
    }
    // Which camera, in the body or the query.
    const QJsonValue named = json.value("camera");
    int index = 0;
    if (named.isString() && !named.toString().isEmpty())
        camera = named.toString();
    else if (integer(json, "camera", 0, 255, index))
        camera = QString::number(index);
    else if (json.contains("camera"))
        return error(400, "\"camera\" must be a camera's name or index");
    else
        camera = queryCamera;
    if (!camera.isEmpty() && commands.nameOf(camera).isEmpty())
        return error(404, QStringLiteral("no camera %1 is attached").arg(camera));
    if (json.contains("force") && !json.value("force").isBool())
        return error(400, "\"force\" must be true or false");
    force = json.value("force").toBool();
    return (this->*endpoint->serve)(json, path);
}

HttpApi::Reply HttpApi::carryOut(Command::Kind kind)
{
    Command c;
    c.kind = kind;
    return fromOutcome(run(c));
}

HttpApi::Reply HttpApi::getState(const QJsonObject &, const QByteArray &)
{
    Outcome why;
    const QJsonObject state = commands.state(camera, why);
    return why.exitCode ? fromOutcome(why) : Reply{200, state, {}};
}

HttpApi::Reply HttpApi::getCameras(const QJsonObject &, const QByteArray &)
{
    return {200, QJsonObject{{"cameras", commands.cameras()}}, {}};
}

HttpApi::Reply HttpApi::postCamera(const QJsonObject &json, const QByteArray &)
{
    Command c;
    c.kind = Command::Camera;
    if (json.value("name").isString())
        c.text = json.value("name").toString();
    else if (!integer(json, "index", 0, 255, c.number))
        return error(400, "give \"index\" (a number) or \"name\"");
    return fromOutcome(run(c));
}

HttpApi::Reply HttpApi::postPreset(const QJsonObject &json, const QByteArray &path)
{
    Command c;
    const QByteArray action = path.mid(int(qstrlen("/api/preset/")));
    c.kind = action == "recall"  ? Command::Preset
             : action == "store" ? Command::Store
             : action == "name"  ? Command::NamePreset
                                 : Command::Clear;
    if (!presetOf(json, c))
        return error(400, "\"preset\" must be a number from 0 to 255, or a preset's name");
    if (json.contains("speed") && c.kind != Command::Preset && c.kind != Command::Store)
        return error(400, "only a recall or a store takes \"speed\"");
    if (json.contains("speed") && !integer(json, "speed", 1, Command::FastestPresetSpeed, c.speed))
        return error(400, "\"speed\" must be a number from 1 to 8");
    if (json.contains("duration")) {
        const double seconds = json.value("duration").toDouble(NAN);
        if (c.kind != Command::Preset || json.contains("speed"))
            return error(400, "only a recall takes \"duration\", and not with \"speed\"");
        if (!json.value("duration").isDouble() || !std::isfinite(seconds) ||
            seconds < Command::ShortestGlide || seconds > Command::LongestGlide)
            return error(400, "\"duration\" must be a number of seconds from 0.1 to 60");
        c.seconds = seconds;
    }
    if (c.kind == Command::NamePreset) {
        if (!json.value("name").isString())
            return error(400, "give \"name\", a text (\"\" takes the name away)");
        c.name = json.value("name").toString();
        if (const QString problem = Command::presetNameProblem(c.name); !problem.isEmpty())
            return error(400, problem);
    }
    return fromOutcome(run(c));
}

bool HttpApi::presetOf(const QJsonObject &json, Command &c)
{
    const QJsonValue preset = json.value("preset");
    if (preset.isString()) {
        c.text = preset.toString();
        return !c.text.isEmpty() && Command::presetNameProblem(c.text).isEmpty();
    }
    return integer(json, "preset", 0, 255, c.number);
}

HttpApi::Reply HttpApi::getPresets(const QJsonObject &, const QByteArray &)
{
    Command c;
    c.kind = Command::ListPresets;
    const Outcome outcome = commands.run(c);
    // The lines of --list-presets: number, stored, PAN,TILT,ZOOM, speed, name.
    QJsonArray presets;
    for (const QString &line : outcome.output.split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ');
        QJsonObject preset{{"preset", f.value(0).toInt()},
                           {"stored", f.value(1) == "stored"},
                           {"name", f.mid(4).join(' ')}};
        const QStringList at = f.value(2).split(',');
        for (int axis = 0; axis < 3; ++axis)
            if (at.value(axis) != "-")
                preset.insert(QStringList{"pan", "tilt", "zoom"}[axis], at.value(axis).toInt());
        if (f.value(3) != "-")
            preset.insert("speed", f.value(3).toInt());
        presets.append(preset);
    }
    return fromOutcome(outcome, QJsonObject{{"presets", presets}});
}

HttpApi::Reply HttpApi::postHome(const QJsonObject &, const QByteArray &)
{
    return carryOut(Command::Home);
}

HttpApi::Reply HttpApi::postMotion(const QJsonObject &json, const QByteArray &path)
{
    Command c;
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
        return error(400,
                     QStringLiteral("\"speed\" must be a number from 1 to %1").arg(move ? 8 : 7));
    const Reply reply = fromOutcome(run(c));
    if (reply.status == 200) // a controller that stops talking stops the camera
        deadManOf(deadManKey()).start(KeepAliveMs);
    return reply;
}

HttpApi::Reply HttpApi::postKeepAlive(const QJsonObject &, const QByteArray &)
{
    // Without a camera, for every move this API started.
    bool moving = false;
    const QString key = deadManKey();
    for (auto &[which, timer] : deadMen) {
        if ((camera.isEmpty() || which == key) && timer->isActive()) {
            timer->start(KeepAliveMs);
            moving = true;
        }
    }
    return {200, QJsonObject{{"ok", true}, {"moving", moving}}, {}};
}

HttpApi::Reply HttpApi::postStop(const QJsonObject &, const QByteArray &)
{
    deadManOf(deadManKey()).stop();
    return carryOut(Command::Stop);
}

HttpApi::Reply HttpApi::postTally(const QJsonObject &json, const QByteArray &)
{
    Command c;
    c.kind = Command::Tally;
    c.number = int(Command::tallyStates().indexOf(json.value("state").toString()));
    if (c.number < 0)
        return error(400, "\"state\" must be program, preview or off");
    return fromOutcome(run(c));
}

HttpApi::Reply HttpApi::getEvents(const QJsonObject &, const QByteArray &)
{
    return error(400, "events come only as a stream"); // answered before the table
}

HttpApi::Reply HttpApi::getPosition(const QJsonObject &, const QByteArray &)
{
    Command c;
    c.kind = Command::GetPosition;
    const Outcome outcome = run(c);
    const QStringList parts = outcome.output.trimmed().split(',');
    return fromOutcome(
        outcome, QJsonObject{{"pan", parts.value(0).toInt()}, {"tilt", parts.value(1).toInt()}});
}

HttpApi::Reply HttpApi::postPosition(const QJsonObject &json, const QByteArray &)
{
    Command c;
    if (!integer(json, "pan", INT_MIN, INT_MAX, c.pan) ||
        !integer(json, "tilt", INT_MIN, INT_MAX, c.tilt))
        return error(400, "give \"pan\" and \"tilt\" as whole numbers");
    c.kind = Command::Position;
    return fromOutcome(run(c));
}

HttpApi::Reply HttpApi::getImage(const QJsonObject &, const QByteArray &)
{
    Outcome why;
    const QJsonObject state = commands.state(camera, why);
    return why.exitCode ? fromOutcome(why)
                        : Reply{200, QJsonObject{{"image", state.value("image")}}, {}};
}

HttpApi::Reply HttpApi::postImageReset(const QJsonObject &, const QByteArray &)
{
    return carryOut(Command::ResetImage);
}

HttpApi::Reply HttpApi::postImage(const QJsonObject &json, const QByteArray &)
{
    if (json.isEmpty() || (json.size() == 1 && json.contains("camera")))
        return error(400, "give one or more image values, such as {\"brightness\": 10}");
    // All checked before any is set.
    QVector<Command> settings;
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
        if (it.key() == "whiteBalanceAuto" && it.value().isBool()) {
            setting.kind = Command::WhiteBalanceAuto;
            setting.number = it.value().toBool() ? 1 : 0;
        } else if (it.key() == "flicker" &&
                   QStringList{"off", "50", "60"}.contains(it.value().toString())) {
            setting.kind = Command::Flicker;
            setting.number = int(QStringList{"off", "50", "60"}.indexOf(it.value().toString()));
        } else if (control != Command::imageControls().end() &&
                   integer(json, it.key(), INT_MIN, INT_MAX, setting.number)) {
            setting.kind = Command::Image;
            setting.text = *control;
        } else {
            return error(400, "\"" + it.key() + "\" is no image value, or not its kind");
        }
        settings.append(setting);
    }
    for (const Command &setting : settings) {
        const Reply reply = fromOutcome(run(setting));
        if (reply.status != 200)
            return reply;
    }
    return {200, QJsonObject{{"ok", true}}, {}};
}
