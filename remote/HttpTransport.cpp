// SPDX-License-Identifier: GPL-2.0-or-later
#include "HttpTransport.h"

#include <QCryptographicHash>
#include <QHostAddress>
#include <QJsonDocument>
#include <QSocketNotifier>

#include <microhttpd.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Room for a burst of refusals to be read; beyond it they are closed at once.
constexpr size_t MaxRefused = 256;
constexpr int RefusedLingerMs = 2000;

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

MHD_Result collectQuery(void *into, MHD_ValueKind, const char *key, const char *value)
{
    if (key && value)
        (*static_cast<std::map<QByteArray, QString> *>(into))[key] = QString::fromUtf8(value);
    return MHD_YES;
}

const QByteArray NoRoom = "HTTP/1.1 503 Service Unavailable\r\n"
                          "Content-Type: application/json\r\n"
                          "Content-Length: 44\r\n"
                          "Connection: close\r\n"
                          "Retry-After: 1\r\n\r\n"
                          "{\"error\":\"too many connections; try again\"}\n";

} // namespace

// Holds for the length of one request.
struct HttpTransport::Exchange
{
    QByteArray body;
    Reply refusal; // status 0: none
    bool answered = false;
    MHD_Connection *connection = nullptr;
    quint64 id = 0;         // while an endpoint answers it
    bool suspended = false; // resting until it does
    bool ready = false;     // `reply` has come
    Reply reply;
};

HttpTransport::Reply HttpTransport::error(int status, const QString &why)
{
    return json(QJsonObject{{"error", why}}, status);
}

HttpTransport::Reply HttpTransport::json(const QJsonObject &body, int status)
{
    Reply reply;
    reply.status = status;
    reply.body = QJsonDocument(body).toJson(QJsonDocument::Compact) + '\n';
    return reply;
}

namespace {

HttpTransport::Reply tooLarge()
{
    return HttpTransport::error(
        413, QStringLiteral("a body may hold %1 bytes").arg(HttpTransport::MaxBody));
}

} // namespace

// The library's callbacks, with access to the server they serve.
struct HttpCallbacks
{
    static MHD_Result queue(MHD_Connection *connection, HttpTransport::Exchange &exchange,
                            const HttpTransport::Reply &reply)
    {
        exchange.answered = true;
        MHD_Response *response = MHD_create_response_from_buffer(
            size_t(reply.body.size()), const_cast<char *>(reply.body.constData()),
            MHD_RESPMEM_MUST_COPY);
        MHD_add_response_header(response, "Content-Type", reply.type.constData());
        MHD_add_response_header(response, "Cache-Control", "no-store");
        MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
        if (reply.status == 401)
            MHD_add_response_header(response, "WWW-Authenticate", "Bearer");
        if (!reply.allow.isEmpty())
            MHD_add_response_header(response, "Allow", reply.allow.constData());
        if (!reply.etag.isEmpty())
            MHD_add_response_header(response, "ETag", reply.etag.constData());
        const MHD_Result queued = MHD_queue_response(connection, unsigned(reply.status), response);
        MHD_destroy_response(response);
        return queued;
    }

    static MHD_Result answer(void *server, MHD_Connection *connection, const char *url,
                             const char *method, const char *, const char *upload,
                             size_t *uploadSize, void **context)
    {
        auto *transport = static_cast<HttpTransport *>(server);
        if (!*context) {
            // First the headers: what they refuse is refused before any body is read, and a
            // body announced too large is never read at all.
            auto *exchange = new HttpTransport::Exchange;
            *context = exchange;
            HttpTransport::Request request;
            request.method = method;
            request.host = header(connection, "Host");
            request.origin = header(connection, "Origin");
            request.contentType = header(connection, "Content-Type");
            request.authorization = header(connection, "Authorization");
            const QByteArray length = header(connection, "Content-Length");
            request.announcedLength = length.isEmpty() ? 0 : length.toLongLong();
            request.carriesBody = request.announcedLength != 0 || length.startsWith('-') ||
                                  !header(connection, "Transfer-Encoding").isEmpty();
            exchange->refusal = transport->screen(request);
            if (exchange->refusal.status == 413)
                return queue(connection, *exchange, exchange->refusal);
            return MHD_YES;
        }
        auto *exchange = static_cast<HttpTransport::Exchange *>(*context);
        if (exchange->answered) {
            *uploadSize = 0;
            return MHD_YES;
        }
        if (exchange->ready) // an endpoint has answered while the connection rested
            return respond(transport, connection, *exchange);
        if (*uploadSize) {
            const qint64 size = qint64(*uploadSize);
            *uploadSize = 0;
            // No answer can be given in the middle of a body: the rest of one too large (sent
            // in chunks, with no length said first) is let go unread, and answered at its end.
            if (exchange->refusal.status == 0 &&
                exchange->body.size() + size > HttpTransport::MaxBody)
                exchange->refusal = tooLarge();
            if (exchange->refusal.status == 0)
                exchange->body.append(upload, int(size));
            return MHD_YES;
        }
        if (exchange->refusal.status)
            return queue(connection, *exchange, exchange->refusal);
        // The whole request is in: its time now runs only while it is answered.
        const auto peer = transport->peers.find(connection);
        if (peer != transport->peers.end()) {
            peer->second.deadline = QDeadlineTimer(QDeadlineTimer::Forever);
            peer->second.answering = true;
        }
        HttpTransport::Asked asked;
        asked.method = method;
        asked.path = url;
        asked.body = exchange->body;
        asked.ifNoneMatch = header(connection, "If-None-Match");
        MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, &collectQuery, &asked.query);
        exchange->id = ++transport->lastExchange;
        exchange->connection = connection;
        transport->waiting[exchange->id] = exchange;
        const quint64 id = exchange->id;
        const std::weak_ptr<bool> alive = transport->alive;
        transport->handler(asked, [transport, alive, id](const HttpTransport::Reply &reply) {
            if (!alive.expired())
                transport->deliver(id, reply);
        });
        if (!exchange->ready) {
            // Answered once the camera is: the connection rests until then.
            MHD_suspend_connection(connection);
            exchange->suspended = true;
            return MHD_YES;
        }
        return respond(transport, connection, *exchange);
    }

    static MHD_Result respond(HttpTransport *transport, MHD_Connection *connection,
                              HttpTransport::Exchange &exchange)
    {
        transport->waiting.erase(exchange.id);
        if (!exchange.reply.stream)
            return queue(connection, exchange, exchange.reply);
        bool opened = false;
        const HttpTransport::Reply refused =
            transport->openStream(connection, exchange.reply.body, opened);
        if (opened) {
            exchange.answered = true;
            return MHD_YES;
        }
        return queue(connection, exchange, refused);
    }

    // What an event stream's reader takes next; with nothing to take, the connection rests
    // until an event comes.
    static ssize_t readStream(void *context, uint64_t, char *buffer, size_t room)
    {
        auto *stream = static_cast<HttpTransport::Stream *>(context);
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
        auto *stream = static_cast<HttpTransport::Stream *>(context);
        HttpTransport *transport = stream->transport;
        if (transport->streamsChanged)
            transport->streamsChanged(false);
        auto &streams = transport->streams;
        streams.erase(std::remove_if(streams.begin(), streams.end(),
                                     [stream](const std::unique_ptr<HttpTransport::Stream> &s) {
                                         return s.get() == stream;
                                     }),
                      streams.end());
    }

    static void completed(void *server, MHD_Connection *connection, void **context,
                          MHD_RequestTerminationCode)
    {
        auto *transport = static_cast<HttpTransport *>(server);
        auto *exchange = static_cast<HttpTransport::Exchange *>(*context);
        if (exchange)
            transport->waiting.erase(exchange->id);
        delete exchange;
        *context = nullptr;
        // On a connection kept alive the next request must come, whole, in time too.
        const auto peer = transport->peers.find(connection);
        if (peer != transport->peers.end() && !peer->second.stream) {
            peer->second.deadline = QDeadlineTimer(HttpTransport::IdleSeconds * 1000);
            peer->second.answering = false;
        }
    }

    static void notify(void *server, MHD_Connection *connection, void **,
                       MHD_ConnectionNotificationCode code)
    {
        auto *transport = static_cast<HttpTransport *>(server);
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            const MHD_ConnectionInfo *info =
                MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
            HttpTransport::Peer &peer = transport->peers[connection];
            peer.fd = info ? info->connect_fd : -1;
            peer.order = ++transport->accepted;
            peer.deadline = QDeadlineTimer(HttpTransport::IdleSeconds * 1000);
            transport->watchOverdue();
        } else {
            transport->peers.erase(connection);
        }
    }
};

HttpTransport::HttpTransport(Handler handle) : handler(std::move(handle))
{
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, this, &HttpTransport::serve);
    heartbeats.setInterval(HeartbeatMs);
    connect(&heartbeats, &QTimer::timeout, this, &HttpTransport::heartbeat);
    overdue.setInterval(500);
    connect(&overdue, &QTimer::timeout, this, &HttpTransport::closeOverdue);
    acceptAgain.setSingleShot(true);
    connect(&acceptAgain, &QTimer::timeout, this, &HttpTransport::accept);
}

HttpTransport::~HttpTransport()
{
    alive.reset();
    incoming.reset();
    events.reset();
    // The library stops only with no connection resting.
    for (const std::unique_ptr<Stream> &stream : streams) {
        stream->dropped = true;
        resume(*stream);
    }
    // A request still waiting for its camera is told the panel is going.
    for (const auto &[id, exchange] : waiting)
        if (exchange->suspended) {
            exchange->reply = error(503, QStringLiteral("the panel is closing"));
            exchange->ready = true;
            exchange->suspended = false;
            MHD_resume_connection(exchange->connection);
            resumed = true;
        }
    if (daemon && (resumed || !streams.empty()))
        MHD_run(daemon);
    if (daemon)
        MHD_stop_daemon(daemon);
    for (const Refused &r : refused)
        ::close(r.fd);
    if (listener >= 0)
        ::close(listener);
}

QString HttpTransport::start(const QString &address, int port, const QString &secret)
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
    connect(events.get(), &QSocketNotifier::activated, this, &HttpTransport::serve);
    incoming = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    connect(incoming.get(), &QSocketNotifier::activated, this, &HttpTransport::accept);
    schedule();
    return {};
}

void HttpTransport::accept()
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
        // Event streams have a limit of their own. Slow clients cannot keep a complete
        // request out: the oldest that has not completed one makes room.
        if (requestConnections() >= MaxConnections && !evictOldestIncomplete()) {
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

int HttpTransport::requestConnections() const
{
    return int(std::count_if(peers.begin(), peers.end(),
                             [](const auto &p) { return !p.second.stream && !p.second.evicted; }));
}

bool HttpTransport::evictOldestIncomplete()
{
    Peer *oldest = nullptr;
    for (auto &[connection, peer] : peers)
        if (!peer.stream && !peer.evicted && !peer.answering && peer.fd >= 0 &&
            (!oldest || peer.order < oldest->order))
            oldest = &peer;
    if (!oldest)
        return false;
    // Nothing was answered on it yet: the refusal is all its client reads. The library sees
    // the end of the connection and lets it go.
    ::send(oldest->fd, NoRoom.constData(), size_t(NoRoom.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
    ::shutdown(oldest->fd, SHUT_RDWR);
    oldest->evicted = true;
    oldest->deadline = QDeadlineTimer(QDeadlineTimer::Forever);
    return true;
}

void HttpTransport::refuse(int fd)
{
    ::send(fd, NoRoom.constData(), size_t(NoRoom.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
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

void HttpTransport::watchOverdue()
{
    if (!overdue.isActive())
        overdue.start();
}

void HttpTransport::closeOverdue()
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

void HttpTransport::serve()
{
    // The window's own keys may run an event loop of theirs (its waits): the server is not
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

void HttpTransport::schedule()
{
    MHD_UNSIGNED_LONG_LONG ms = 0;
    if (MHD_get_timeout(daemon, &ms) == MHD_YES)
        timeout.start(int(std::min<MHD_UNSIGNED_LONG_LONG>(ms, 60000)));
    else
        timeout.stop();
}

HttpTransport::Reply HttpTransport::openStream(MHD_Connection *connection, const QByteArray &first,
                                               bool &opened)
{
    opened = false;
    if (int(streams.size()) >= MaxStreams)
        return error(503, QStringLiteral("%1 event streams are open already").arg(MaxStreams));
    auto stream = std::make_unique<Stream>();
    stream->transport = this;
    stream->connection = connection;
    stream->pending = first;
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
        peer->second.stream = true;
        // What a reader has not taken stays bounded in the kernel too, not only here.
        const int room = StreamBuffer / 2;
        setsockopt(peer->second.fd, SOL_SOCKET, SO_SNDBUF, &room, sizeof room);
    }
    streams.push_back(std::move(stream));
    if (streamsChanged)
        streamsChanged(true);
    if (!heartbeats.isActive())
        heartbeats.start();
    opened = true;
    return {};
}

void HttpTransport::push(const QByteArray &text)
{
    if (!streams.empty())
        pushText(text);
}

void HttpTransport::deliver(quint64 id, const Reply &reply)
{
    const auto found = waiting.find(id);
    if (found == waiting.end())
        return; // its client has gone
    Exchange &exchange = *found->second;
    exchange.reply = reply;
    exchange.ready = true;
    if (!exchange.suspended)
        return; // answered where it was asked
    exchange.suspended = false;
    MHD_resume_connection(exchange.connection);
    resumed = true;
    if (!serving)
        serve();
}

void HttpTransport::heartbeat()
{
    // A comment: it finds the readers that have gone while nothing happened.
    if (streams.empty())
        heartbeats.stop();
    else
        pushText(":\n\n");
}

void HttpTransport::pushText(const QByteArray &text)
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

void HttpTransport::resume(Stream &stream)
{
    if (!stream.suspended)
        return;
    stream.suspended = false;
    MHD_resume_connection(stream.connection);
    resumed = true;
}

void HttpTransport::dropStream(Stream &stream)
{
    // A reader this far behind is not waited for: it would hold the panel's memory.
    stream.dropped = true;
    stream.pending.clear();
    const auto peer = peers.find(stream.connection);
    if (peer != peers.end() && peer->second.fd >= 0)
        ::shutdown(peer->second.fd, SHUT_RDWR);
    resume(stream);
}

HttpTransport::Reply HttpTransport::screen(const Request &request) const
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
    Reply goOn;
    goOn.status = 0;
    return goOn;
}
