// SPDX-License-Identifier: GPL-2.0-or-later
// The panel's OSC endpoint (UDP, liblo for the messages): show controllers recall and store
// presets, move, zoom, stop, go home, choose the window's camera and set the tally, on the
// window's camera or, under /ptz/CAMERA/..., on any camera by name. It runs on the window's
// thread from its own socket. A message of the wrong argument types, of an unknown address
// or from a sender not allowed is dropped and counted, never acted on; a move or zoom stops
// by itself when no new one for that camera arrives within KeepAliveMs.
#pragma once

#include "Command.h"
#include "OscEndpoint.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

class QJsonObject;
class QSocketNotifier;

class OscServer : public QObject, public OscEndpoint
{
    Q_OBJECT

public:
    explicit OscServer(RemotePanel &commands);
    ~OscServer() override;

    QString start(const QString &address, int port, const QStringList &allowed,
                  const QString &feedback) override;
    int port() const { return boundPort; }
    int dropped() const { return droppedCount; }

    static constexpr int KeepAliveMs = 2000;

private:
    void receive();
    // Carries out one message; false when it is to be dropped.
    bool take(const QByteArray &datagram, const QHostAddress &from);
    bool allowed(const QHostAddress &from) const;
    void complain(const QHostAddress &from, const QString &why);
    QTimer &deadManOf(const QString &camera);
    void sendFeedback(const QJsonObject &event);

    RemotePanel &commands;
    int fd = -1;
    int boundPort = 0;
    std::unique_ptr<QSocketNotifier> incoming;
    QList<QHostAddress> senders;
    std::map<QString, std::unique_ptr<QTimer>> deadMen;
    // Replies that come after this is gone find it expired.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    std::map<QString, QElapsedTimer> complained; // per sender, once a minute
    void *feedbackAddress = nullptr;             // a lo_address
    int feedbackSink = 0;
    int droppedCount = 0;
};
