// SPDX-License-Identifier: GPL-2.0-or-later
// A small JSON API over HTTP for the running panel (libmicrohttpd). The server runs on the
// window's own thread, driven by its event loop (its own listening socket, the library's epoll
// descriptor and time-outs), so every request is carried out by the panel's slots with no
// hand-over between threads; nothing a client sends can block the window.
//
// It keeps serving whatever clients do: at most MaxConnections request connections at a time
// (the next ones are answered 503 and closed), and a connection that has not completed a
// request within IdleSeconds is closed. Web pages cannot use it: on the loopback a Host other
// than the server's own is refused (DNS rebinding), and everywhere an Origin other than the
// server's own or a body that is not JSON (no page can send one without asking first); it never
// sends CORS headers. A move or zoom started over HTTP stops by itself when no new one or
// keep-alive for that camera arrives within 2 s. Built as its own module (see HttpModule).
//
// Every endpoint takes "camera" (a name or an index; `?camera=` on a GET) and acts on that
// camera without changing the window's. GET /api/events is a stream of Server-Sent Events,
// the cameras' state first: at most MaxStreams at a time, besides the request connections,
// with no idle time-out; one whose reader falls StreamBuffer bytes behind is dropped.
#pragma once

#include "Command.h"
#include "HttpServer.h"
#include "RemotePanel.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

struct MHD_Connection;
struct MHD_Daemon;
class QSocketNotifier;

class HttpApi : public QObject, public HttpServer
{
    Q_OBJECT

public:
    explicit HttpApi(RemotePanel &commands);
    ~HttpApi() override;

    // Listens on `address` (an IP address) and `port`; "" when it does, else why not.
    // Any address but the loopback needs a token.
    QString start(const QString &address, int port, const QString &token) override;
    bool isListening() const override { return daemon != nullptr; }

    // What a request gets: status, a JSON body and, for 405, the methods the endpoint takes.
    struct Reply
    {
        int status = 200;
        QJsonObject body;
        QByteArray allow;
    };
    // What the API reads of a request's headers.
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
    // A refusal on the headers alone (403, 401, 413); status 0 when the request may go on.
    Reply screen(const Request &request) const;
    // The endpoints, for a request that passed screen().
    Reply handle(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                 const QString &queryCamera = {});

    static constexpr int MaxBody = 4096;
    static constexpr int KeepAliveMs = 2000;
    static constexpr int MaxConnections = 64;
    static constexpr int IdleSeconds = 10;
    static constexpr int MaxStreams = 32;
    static constexpr int StreamBuffer = 64 * 1024;
    static constexpr int HeartbeatMs = 15000;
    int streamCount() const { return int(streams.size()); }

private slots:
    void serve();
    void accept();
    void closeOverdue();
    void heartbeat();

private:
    friend struct HttpCallbacks;
    // A request connection and the moment it must have completed a request by.
    struct Peer
    {
        int fd = -1;
        QDeadlineTimer deadline;
    };
    // A connection answered 503, kept until its client has read that and gone.
    struct Refused
    {
        int fd = -1;
        QDeadlineTimer deadline;
    };

    void schedule();
    void refuse(int fd);
    void watchOverdue();
    Reply fromOutcome(const Outcome &outcome, QJsonObject body = {}) const;
    Reply carryOut(Command::Kind kind);
    // Runs `command` on the camera the request names.
    Outcome run(Command command);
    // The dead-man of the camera the request names ("" the window's).
    QTimer &deadManOf(const QString &camera);
    QString deadManKey() const; // the requested camera's name, "" for the window's
    void stopMotion(const QString &camera);

    // An event stream: what its reader has still to take.
    struct Stream
    {
        HttpApi *api = nullptr;
        MHD_Connection *connection = nullptr;
        QByteArray pending;
        bool suspended = false;
        bool dropped = false;
    };
    Reply openStream(MHD_Connection *connection, bool &opened);
    void push(const QJsonObject &event);
    void pushText(const QByteArray &text);
    // A resting stream is taken up again by the library's next run.
    void resume(Stream &stream);
    void dropStream(Stream &stream);

    // What serves one method on one path, given the request's JSON object and its path.
    using Serve = Reply (HttpApi::*)(const QJsonObject &json, const QByteArray &path);
    struct Endpoint
    {
        const char *method;
        const char *path;
        Serve serve;
    };
    static const Endpoint Endpoints[];
    Reply getState(const QJsonObject &, const QByteArray &);
    Reply getCameras(const QJsonObject &, const QByteArray &);
    Reply postCamera(const QJsonObject &json, const QByteArray &);
    Reply postPreset(const QJsonObject &json, const QByteArray &path);
    Reply getPresets(const QJsonObject &, const QByteArray &);
    // "preset" as a number or a name, into `number` or `text`.
    static bool presetOf(const QJsonObject &json, Command &command);
    Reply postHome(const QJsonObject &, const QByteArray &);
    Reply postMotion(const QJsonObject &json, const QByteArray &path);
    Reply postKeepAlive(const QJsonObject &, const QByteArray &);
    Reply postStop(const QJsonObject &, const QByteArray &);
    Reply getPosition(const QJsonObject &, const QByteArray &);
    Reply postPosition(const QJsonObject &json, const QByteArray &);
    Reply getImage(const QJsonObject &, const QByteArray &);
    Reply postImage(const QJsonObject &json, const QByteArray &);
    Reply postImageReset(const QJsonObject &, const QByteArray &);
    Reply postTally(const QJsonObject &json, const QByteArray &);
    Reply getEvents(const QJsonObject &, const QByteArray &);

    RemotePanel &commands;
    int eventSink = 0;
    QByteArray token;
    // "127.0.0.1:8080", and "localhost:8080" on the loopback (on port 80, without it too)
    QByteArrayList ownAuthorities;
    bool loopback = true;
    int listener = -1;
    MHD_Daemon *daemon = nullptr;
    std::unique_ptr<QSocketNotifier> incoming;
    std::unique_ptr<QSocketNotifier> events;
    QTimer timeout;
    std::map<QString, std::unique_ptr<QTimer>> deadMen;
    QTimer heartbeats;
    std::vector<std::unique_ptr<Stream>> streams;
    QString camera;     // the camera the request being answered names, "" none
    bool force = false; // and whether it says "force"
    QTimer overdue;
    QTimer acceptAgain;
    std::map<MHD_Connection *, Peer> peers;
    std::vector<Refused> refused;
    bool serving = false;
    bool resumed = false; // a stream resumed since the library last ran
};
