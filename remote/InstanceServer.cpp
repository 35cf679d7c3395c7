// SPDX-License-Identifier: GPL-2.0-or-later
#include "InstanceServer.h"
#include "Command.h"
#include "LocalMessage.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why `path` is no directory of this user's that nobody else may enter; "" when it is. One
// of the user's own that is open to others is closed when `tighten`.
QString unsafe(const QString &path, bool tighten)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::lstat(name.constData(), &st) != 0)
        return QStringLiteral("cannot use %1: %2").arg(path, std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return path + " is no directory";
    if (st.st_uid != ::geteuid())
        return path + " belongs to another user";
    if ((st.st_mode & 077) && (!tighten || ::chmod(name.constData(), 0700) != 0))
        return path + " is open to other users";
    return {};
}

} // namespace

QString InstanceServer::runtimeDirectory(QString *why)
{
    // Private to the user where the session provides one.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && unsafe(runtime, false).isEmpty())
        return runtime;
    // Else one of our own in the temporary directory, which anybody may have made first.
    const QString own = QDir::tempPath() + QStringLiteral("/ptz-panel-%1").arg(::geteuid());
    QString problem;
    if (::mkdir(QFile::encodeName(own).constData(), 0700) != 0 && errno != EEXIST)
        problem = QStringLiteral("cannot make %1: %2").arg(own, std::strerror(errno));
    else
        problem = unsafe(own, true);
    if (problem.isEmpty())
        return own;
    if (why)
        *why = problem + "; no panel is started or reached there";
    return {};
}

QString InstanceServer::socketName()
{
    const QString dir = runtimeDirectory();
    return dir.isEmpty() ? dir : dir + QStringLiteral("/ptz-panel-%1.socket").arg(::getuid());
}

QString InstanceServer::lockPath()
{
    const QString dir = runtimeDirectory();
    return dir.isEmpty() ? dir : dir + QStringLiteral("/ptz-panel-%1.lock").arg(::getuid());
}

InstanceServer::InstanceServer() = default;
InstanceServer::~InstanceServer() = default;

bool InstanceServer::claim()
{
    if (runtimeDirectory(&why).isEmpty())
        return false;
    const QString path = lockPath();
    const QByteArray name = QFile::encodeName(path);
    // Another user's lock keeps no panel of ours from starting: the directory is ours, and
    // it goes.
    struct stat st = {};
    if (::lstat(name.constData(), &st) == 0 && (st.st_uid != ::geteuid() || !S_ISREG(st.st_mode)) &&
        ::unlink(name.constData()) != 0) {
        why = path + " belongs to another user and cannot be removed";
        return false;
    }
    lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0); // a crashed panel's lock is stale by its dead process alone
    if (!lock->tryLock(0)) {
        lock.reset();
        return false;
    }
    return true;
}

bool InstanceServer::serve(Handler take)
{
    handler = std::move(take);
    // Only the lock's owner may clear a socket: one left by a crash (or another user's),
    // never a live one of ours.
    QLocalServer::removeServer(socketName());
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &InstanceServer::accept);
    return server.listen(socketName());
}

void InstanceServer::accept()
{
    while (QLocalSocket *client = server.nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        if (pending.size() >= size_t(MaxClients)) {
            client->abort();
            continue;
        }
        pending[client];
        connect(client, &QObject::destroyed, this, [this, client] { pending.erase(client); });
        connect(client, &QLocalSocket::readyRead, this, [this, client] { read(client); });
        // A client that does not say all it has to say in time is let go.
        QTimer::singleShot(MessageTimeoutMs, client, [this, client] {
            if (pending.count(client))
                client->abort();
        });
        read(client);
    }
}

void InstanceServer::read(QLocalSocket *client)
{
    const auto found = pending.find(client);
    if (found == pending.end()) {
        client->abort(); // one message per connection
        return;
    }
    QByteArray &bytes = found->second;
    bytes += client->read(LocalMessage::MaxRequestBytes + 1 - bytes.size());
    int version = -1;
    QStringList arguments;
    const LocalMessage::Result got = LocalMessage::readRequest(bytes, version, arguments);
    if (got == LocalMessage::Incomplete)
        return; // the rest has not arrived yet
    pending.erase(found);
    if (got == LocalMessage::Malformed) {
        client->abort();
        return;
    }
    // A client that gave up waiting (this panel was stopped a while) has told its user so:
    // what it asked is not carried out behind its back.
    char next = 0;
    if (::recv(int(client->socketDescriptor()), &next, 1, MSG_PEEK | MSG_DONTWAIT) == 0) {
        client->abort();
        return;
    }
    // The handler may run an event loop of its own, during which the client can go.
    const QPointer<QLocalSocket> asking = client;
    const Outcome outcome = version == LocalMessage::Version
                                ? handler(arguments)
                                : Outcome::misused("this panel speaks another version");
    if (!asking || client->state() != QLocalSocket::ConnectedState)
        return;
    client->write(LocalMessage::answer(outcome));
    client->flush();
    client->disconnectFromServer();
}
