#include "InstanceServer.h"
#include "Command.h"
#include "InstanceClient.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString runtimeDirectory()
{
    // Private to the user where the session provides one; the temporary directory else,
    // with the user in the name.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    return QDir::tempPath();
}

} // namespace

QString InstanceServer::socketName()
{
    return runtimeDirectory() + QStringLiteral("/ptz-panel-%1.socket").arg(getuid());
}

QString InstanceServer::lockPath()
{
    return runtimeDirectory() + QStringLiteral("/ptz-panel-%1.lock").arg(getuid());
}

InstanceServer::InstanceServer() = default;
InstanceServer::~InstanceServer() = default;

bool InstanceServer::claim()
{
    lock = std::make_unique<QLockFile>(lockPath());
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
    // Only the lock's owner may clear a socket: one left by a crash, never a live one.
    QLocalServer::removeServer(socketName());
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &InstanceServer::accept);
    return server.listen(socketName());
}

void InstanceServer::accept()
{
    while (QLocalSocket *client = server.nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] { read(client); });
        read(client);
    }
}

void InstanceServer::read(QLocalSocket *client)
{
    QDataStream in(client);
    in.startTransaction();
    quint8 protocol = 0;
    QStringList arguments;
    in >> protocol >> arguments;
    if (!in.commitTransaction())
        return; // the rest has not arrived yet
    if (client->bytesAvailable() > 0 || client->property("answered").toBool()) {
        client->abort(); // one message per connection
        return;
    }
    client->setProperty("answered", true);
    const Outcome outcome = protocol == InstanceClient::Protocol
                                ? handler(arguments)
                                : Outcome::misused("this panel speaks another version");
    QDataStream out(client);
    out << qint32(outcome.exitCode) << outcome.output << outcome.error;
    client->flush();
    client->disconnectFromServer();
}
