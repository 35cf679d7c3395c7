// SPDX-License-Identifier: GPL-2.0-or-later
// A small JSON API over HTTP for the running panel: the endpoints, each a method and a path
// with what serves it, over the transport that carries them (HttpTransport: sockets, limits,
// screening, event streams). An endpoint hands its command to the panel and answers once the
// command has finished, which may be after its camera has answered; the window and other
// requests go on meanwhile. A move or zoom started over HTTP stops by itself when no new one
// or keep-alive for that camera arrives within 2 s. Built as its own module (see HttpModule).
//
// Every endpoint takes "camera" (a name or an index; `?camera=` on a GET) and acts on that
// camera without changing the window's. GET /api/events is a stream of Server-Sent Events,
// the cameras' state first.
#pragma once

#include "Command.h"
#include "HttpServer.h"
#include "HttpTransport.h"
#include "RemotePanel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

class HttpApi : public QObject, public HttpServer
{
    Q_OBJECT

public:
    using Reply = HttpTransport::Reply;
    using Request = HttpTransport::Request;

    explicit HttpApi(RemotePanel &commands);
    ~HttpApi() override;

    QString start(const QString &address, int port, const QString &token) override;
    bool isListening() const override { return transport.isListening(); }
    Reply screen(const Request &request) const { return transport.screen(request); }
    int streamCount() const { return transport.streamCount(); }

    static constexpr int MaxBody = HttpTransport::MaxBody;
    static constexpr int MaxStreams = HttpTransport::MaxStreams;
    static constexpr int KeepAliveMs = 2000;

private:
    // One request to an endpoint: its JSON body, path, camera and how it is answered.
    struct Call
    {
        QJsonObject json;
        QByteArray path;
        QString camera; // as the request names it, "" the window's
        QString name;   // a shot's or tour's, from the path
        bool force = false;
        HttpTransport::Respond respond;
    };
    using Serve = void (HttpApi::*)(const Call &call);
    struct Endpoint
    {
        const char *method;
        const char *path;
        Serve serve;
    };
    static const Endpoint Endpoints[];

    void handle(const HttpTransport::Asked &asked, HttpTransport::Respond respond);
    // Runs `command` on the camera `call` names and answers with its outcome and `body`.
    void run(const Call &call, Command command, QJsonObject body = {});
    void run(const Call &call, Command command, std::function<void(const Outcome &)> then);
    static Reply fromOutcome(const Outcome &outcome, QJsonObject body = {});
    // As fromOutcome(), with `body` kept beside the error too.
    static Reply withBody(const Outcome &outcome, const QJsonObject &body);
    void refuse(const Call &call, Command::Value wrong, Command::Kind kind, const char *key);
    // The dead-man of camera `key` ("" the window's).
    QTimer &deadManOf(const QString &key);
    QString deadManKey(const QString &camera) const;
    void stopMotion(const QString &key);
    void pushEvent(const QJsonObject &event);

    void getState(const Call &call);
    void getCameras(const Call &call);
    void postCamera(const Call &call);
    void postPreset(const Call &call);
    void getPresets(const Call &call);
    void postHome(const Call &call);
    void postMotion(const Call &call);
    void postKeepAlive(const Call &call);
    void postStop(const Call &call);
    void getPosition(const Call &call);
    void postPosition(const Call &call);
    void getImage(const Call &call);
    void postImage(const Call &call);
    void postImageReset(const Call &call);
    void postTally(const Call &call);
    void getEvents(const Call &call);
    void getShows(const Call &call);
    void putShow(const Call &call);
    void deleteShow(const Call &call);
    void postShot(const Call &call);
    void postTour(const Call &call);
    void setImage(const Call &call, std::shared_ptr<QVector<Command>> settings, int next);

    RemotePanel &commands;
    HttpTransport transport;
    int eventSink = 0;
    std::map<QString, std::unique_ptr<QTimer>> deadMen;
    // Replies that come after this is gone find it expired.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
