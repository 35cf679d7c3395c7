// SPDX-License-Identifier: GPL-2.0-or-later
#include "InstanceClient.h"
#include "InstanceServer.h"
#include "LocalMessage.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));

    const QDeadlineTimer deadline(AnswerTimeoutMs);
    const QString silent = QStringLiteral("the running panel does not answer");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        outcome = Outcome::failed(silent);
        return true;
    }
    const auto answered = [fd, &outcome](const Outcome &with) {
        ::close(fd);
        outcome = with;
        return true;
    };
    // A full backlog (a panel that is stopped, or busy) is waited for, within the bound.
    while (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        if (errno == ENOENT || errno == ECONNREFUSED) {
            ::close(fd);
            return false; // left by a panel that is gone
        }
        if ((errno != EAGAIN && errno != EINTR) || deadline.hasExpired())
            return answered(Outcome::failed(silent));
        ::usleep(10000);
    }
    ucred peer = {};
    socklen_t length = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.uid != ::geteuid())
        return answered(Outcome::failed(notOurs));

    const QByteArray request = LocalMessage::request(arguments);
    for (int sent = 0; sent < request.size();) {
        const ssize_t n =
            ::send(fd, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += int(n);
            continue;
        }
        pollfd writable = {fd, POLLOUT, 0};
        if ((n < 0 && errno != EAGAIN && errno != EINTR) || deadline.hasExpired() ||
            ::poll(&writable, 1, int(deadline.remainingTime())) < 0)
            return answered(Outcome::failed(silent));
    }
    // The answer comes when the commands have been carried out.
    QByteArray bytes;
    for (;;) {
        pollfd readable = {fd, POLLIN, 0};
        const bool more =
            !deadline.hasExpired() && ::poll(&readable, 1, int(deadline.remainingTime())) > 0;
        char buffer[4096];
        ssize_t got = 0;
        while (more && (got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT)) > 0)
            bytes.append(buffer, int(got));
        Outcome answer;
        // A panel of an earlier version ends its answer only by closing.
        const LocalMessage::Result result = LocalMessage::readAnswer(bytes, answer, got == 0);
        if (result == LocalMessage::Complete)
            return answered(answer);
        if (result == LocalMessage::Malformed || !more || got == 0)
            return answered(Outcome::failed(silent));
    }
}
