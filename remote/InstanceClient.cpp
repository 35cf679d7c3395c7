// SPDX-License-Identifier: GPL-2.0-or-later
#include "InstanceClient.h"
#include "InstanceServer.h"
#include "LocalMessage.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

bool InstanceClient::handOver(const QStringList &arguments, Outcome &outcome)
{
    QString why;
    if (InstanceServer::runtimeDirectory(&why).isEmpty()) {
        outcome = Outcome::failed(why);
        return true;
    }
    const QString path = InstanceServer::socketName();
    const QString notOurs = path + " belongs to another user: no command is handed to it";
    // Commands, and what they answer, go only to a panel of this user's.
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    if (!S_ISSOCK(st.st_mode) || st.st_uid != ::geteuid()) {
        outcome = Outcome::failed(notOurs);
        return true;
    }
    const QDeadlineTimer deadline(AnswerTimeoutMs);
    const QString silent = QStringLiteral("the running panel does not answer");
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) {
        if (socket.error() == QLocalSocket::ServerNotFoundError ||
            socket.error() == QLocalSocket::ConnectionRefusedError)
            return false; // left by a panel that is gone
        outcome = Outcome::failed(silent);
        return true;
    }
    ucred peer = {};
    socklen_t length = sizeof peer;
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) !=
            0 ||
        peer.uid != ::geteuid()) {
        outcome = Outcome::failed(notOurs);
        return true;
    }
    socket.write(LocalMessage::request(arguments));
    socket.flush();
    // The answer comes when the commands have been carried out.
    QByteArray bytes;
    for (;;) {
        const bool more =
            !deadline.hasExpired() &&
            (socket.bytesAvailable() > 0 || socket.waitForReadyRead(int(deadline.remainingTime())));
        bytes += socket.readAll();
        const bool closed = socket.state() == QLocalSocket::UnconnectedState;
        const LocalMessage::Result got = LocalMessage::readAnswer(bytes, outcome, closed);
        if (got == LocalMessage::Complete)
            return true;
        if (got == LocalMessage::Malformed || !more) {
            outcome = Outcome::failed(silent);
            return true;
        }
    }
}
