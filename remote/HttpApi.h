// A small JSON API over HTTP for the running panel (libmicrohttpd). The server runs on the
// window's own thread, driven by its event loop (epoll descriptor and time-outs), so every
// request is carried out by the panel's slots with no hand-over between threads; nothing a
// client sends can block the window. A move or zoom started over HTTP stops by itself when
// no new one or keep-alive arrives within 2 s.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

struct MHD_Daemon;
class PanelCommands;
class QSocketNotifier;

class HttpApi : public QObject
{
    Q_OBJECT

public:
    explicit HttpApi(PanelCommands &commands);
    ~HttpApi() override;

    // Listens on `address` (an IP address) and `port`; "" when it does, else why not.
    // Any address but the loopback needs a token.
    QString start(const QString &address, int port, const QString &token);

    // What a request gets: status and a JSON body.
    struct Reply
    {
        int status = 200;
        QJsonObject body;
    };
    // The API itself, for the server and for tests.
    Reply handle(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                 const QByteArray &authorization);

    static constexpr int MaxBody = 4096;
    static constexpr int KeepAliveMs = 2000;

private slots:
    void serve();

private:
    void schedule();
    void stopMotion();

    PanelCommands &commands;
    QByteArray token;
    MHD_Daemon *daemon = nullptr;
    QSocketNotifier *notifier = nullptr;
    QTimer timeout;
    QTimer deadMan;
    bool serving = false;
};
