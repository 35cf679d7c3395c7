// SPDX-License-Identifier: GPL-2.0-or-later
// What carries the HTTP API (libmicrohttpd): its own listening socket, the server driven by
// the window's own event loop (the socket, the library's epoll descriptor and time-outs), the
// checks every request passes before an endpoint sees it, and the event streams. An endpoint
// answers when it can: a request waiting for a camera rests suspended, and nothing a client
// sends or withholds blocks the window.
//
// It keeps serving whatever clients do: at most MaxConnections request connections at a time,
// and a connection that has not completed a request within IdleSeconds is closed. When all
// are taken, the oldest that has not completed its request is told there is no room and
// closed, so that a complete request is served however many slow clients hold on; only when
// every one is being answered is a newcomer answered 503. Web pages cannot use it: on the
// loopback a Host other than the server's own is refused (DNS rebinding), and everywhere an
// Origin other than the server's own or a body that is not JSON (no page can send one without
// asking first); it never sends CORS headers. At most MaxStreams event streams are open
// besides the request connections, with no idle time-out; one whose reader falls
// StreamBuffer bytes behind is dropped.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

struct MHD_Connection;
struct MHD_Daemon;
class QSocketNotifier;

class HttpTransport : public QObject
{
    Q_OBJECT

public:
    // What a request gets: status and body, and for a 405 the methods the path takes. A
    // reply that opens a stream sends `body` first and later what is pushed.
    struct Reply
    {
        int status = 200;
        QByteArray body;
        QByteArray type = "application/json";
        QByteArray allow;
        QByteArray etag;
        bool stream = false;
    };
    // The headers a request is screened by.
    struct Request
    {
        QByteArray method;
        QByteArray host;
        QByteArray origin;
        QByteArray contentType;
        QByteArray authorization;
        bool carriesBody = false;
        qint64 announcedLength = 0;
    };
    // A request that passed the screen, as an endpoint sees it.
    struct Asked
    {
        QByteArray method;
        QByteArray path;
        QByteArray body;
        std::map<QByteArray, QString> query;
        QByteArray ifNoneMatch;
    };
    using Respond = std::function<void(const Reply &reply)>;
    // Answers `asked` through `respond`, once, now or later.
    using Handler = std::function<void(const Asked &asked, Respond respond)>;

    explicit HttpTransport(Handler handler);
    ~HttpTransport() override;

    // Listens on `address` (an IP address) and `port`; "" when it does, else why not.
    // Any address but the loopback needs a token.
    QString start(const QString &address, int port, const QString &token);
    bool isListening() const { return daemon != nullptr; }
    // A refusal on the headers alone (403, 401, 413); status 0 when the request may go on.
    Reply screen(const Request &request) const;
    // `text` to every open stream.
    void push(const QByteArray &text);
    int streamCount() const { return int(streams.size()); }
    // Called with true as a stream opens and false as one closes.
    void onStreams(std::function<void(bool opened)> told) { streamsChanged = std::move(told); }

    // A JSON error, as every refusal is answered.
    static Reply error(int status, const QString &why);
    static Reply json(const QJsonObject &body, int status = 200);

    static constexpr int MaxBody = 4096;
    static constexpr int MaxConnections = 64;
    static constexpr int IdleSeconds = 10;
    static constexpr int MaxStreams = 32;
    static constexpr int StreamBuffer = 64 * 1024;
    static constexpr int HeartbeatMs = 15000;

private slots:
    void serve();
    void accept();
    void closeOverdue();
    void heartbeat();

private:
    friend struct HttpCallbacks;
    struct Exchange;
    // A request connection, in the order they came, and the moment it must have completed a
    // request by.
    struct Peer
    {
        int fd = -1;
        quint64 order = 0;
        QDeadlineTimer deadline;
        bool answering = false; // its request is complete
        bool stream = false;
        bool evicted = false;
    };
    // A connection answered 503, kept until its client has read that and gone.
    struct Refused
    {
        int fd = -1;
        QDeadlineTimer deadline;
    };
    // An event stream: what its reader has still to take.
    struct Stream
    {
        HttpTransport *transport = nullptr;
        MHD_Connection *connection = nullptr;
        QByteArray pending;
        bool suspended = false;
        bool dropped = false;
    };

    void schedule();
    void refuse(int fd);
    int requestConnections() const;
    bool evictOldestIncomplete();
    void watchOverdue();
    void deliver(quint64 id, const Reply &reply);
    Reply openStream(MHD_Connection *connection, const QByteArray &first, bool &opened);
    void pushText(const QByteArray &text);
    // A resting stream is taken up again by the library's next run.
    void resume(Stream &stream);
    void dropStream(Stream &stream);

    Handler handler;
    std::function<void(bool)> streamsChanged;
    QByteArray token;
    // "127.0.0.1:8080", and "localhost:8080" on the loopback (on port 80, without it too)
    QByteArrayList ownAuthorities;
    bool loopback = true;
    int listener = -1;
    MHD_Daemon *daemon = nullptr;
    std::unique_ptr<QSocketNotifier> incoming;
    std::unique_ptr<QSocketNotifier> events;
    QTimer timeout;
    QTimer heartbeats;
    std::vector<std::unique_ptr<Stream>> streams;
    QTimer overdue;
    QTimer acceptAgain;
    std::map<MHD_Connection *, Peer> peers;
    quint64 accepted = 0;
    std::vector<Refused> refused;
    // Requests an endpoint answers later, by number, while their connections rest.
    std::map<quint64, Exchange *> waiting;
    quint64 lastExchange = 0;
    bool serving = false;
    bool resumed = false; // a connection resumed since the library last ran
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
