// SPDX-License-Identifier: GPL-2.0-or-later
// One panel per user: the first to start owns a lock and a local socket, and carries out the
// commands later starts of `ptz-panel` hand to it. Both live in a directory only the user may
// enter: XDG_RUNTIME_DIR, or one the program makes in the temporary directory (refused, and
// said, when another user got there first). A lock or socket there that another user owns is
// never honoured. Plain sockets: Qt Network and its Kerberos chain would cost a start that
// only needs a Unix socket a megabyte.
#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

struct Outcome;
class QSocketNotifier;
class QStringList;

class InstanceServer : public QObject
{
    Q_OBJECT

public:
    using Reply = std::function<void(const Outcome &outcome)>;
    // Carries out a later start's arguments and replies, at once or once its cameras answer.
    using Handler = std::function<void(const QStringList &arguments, Reply reply)>;

    InstanceServer();
    ~InstanceServer() override;

    // True when this process is now the user's panel; false when another one is, or when
    // there is no place to be one safely (refusal() says why).
    bool claim();
    QString refusal() const { return why; }
    // Starts taking the arguments of other starts, answering each with `handler`'s outcome;
    // others are served meanwhile.
    bool serve(Handler handler);

    // The user's private directory; "" (and why, if asked) when none can be trusted.
    static QString runtimeDirectory(QString *why = nullptr);
    // The socket and lock of this user's panel, in that directory.
    static QString socketName();
    static QString lockPath();

    // Clients handing over at the same time; more are turned away.
    static constexpr int MaxClients = 8;
    // The time a client has to send its whole message.
    static constexpr int MessageTimeoutMs = 5000;

private:
    struct Client;
    void accept();
    void read(quint64 id);
    void answer(int fd, int version, const QStringList &arguments);
    static void send(int fd, const Outcome &outcome);

    int lockFd = -1; // held (flock) while this process is the user's panel
    int listener = -1;
    QByteArray listening; // the socket's path while this panel serves it
    std::unique_ptr<QSocketNotifier> incoming;
    Handler handler;
    QString why;
    std::map<quint64, std::unique_ptr<Client>> pending; // clients not yet answered, by number
    quint64 lastClient = 0;
    // Replies still to come hold this, and find it gone once the server is.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
