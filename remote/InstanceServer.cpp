// SPDX-License-Identifier: GPL-2.0-or-later
#include "InstanceServer.h"
#include "Command.h"
#include "LocalMessage.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

// Whether the client at `fd` has closed its end (a client that gave up waiting).
bool gone(int fd)
{
    char next = 0;
    return ::recv(fd, &next, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

} // namespace

struct InstanceServer::Client
{
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QByteArray bytes; // what it sent so far

    ~Client()
    {
        notifier.reset();
        if (fd >= 0)
            ::close(fd);
    }
};

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

InstanceServer::~InstanceServer()
{
    pending.clear();
    incoming.reset();
    if (listener >= 0) {
        ::close(listener);
        ::unlink(listening.constData());
    }
    if (lockFd >= 0)
        ::close(lockFd);
}

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
    // The kernel lets go of the lock with its holder, however that ends: a crashed panel
    // leaves nothing stale behind, and taking it writes nothing to disk. The file stays, as
    // removing it would let a start that had opened it lock a name nobody else sees.
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        why = QStringLiteral("cannot open %1: %2").arg(path, std::strerror(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lockFd = fd;
    // Who holds it, for a person looking; the lock holds without it.
    const QByteArray holder = QByteArray::number(qint64(::getpid())) + '\n';
    [[maybe_unused]] const bool told =
        ::ftruncate(fd, 0) == 0 && ::write(fd, holder.constData(), size_t(holder.size())) > 0;
    return true;
}

bool InstanceServer::serve(Handler take)
{
    handler = std::move(take);
    const QByteArray path = QFile::encodeName(socketName());
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    // Only the lock's owner may clear a socket: one left by a crash (or another user's),
    // never a live one of ours.
    ::unlink(path.constData());
    listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0 ||
        ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::chmod(path.constData(), 0600) != 0 || ::listen(listener, 50) != 0) {
        if (listener >= 0)
            ::close(listener);
        listener = -1;
        return false;
    }
    listening = path;
    incoming = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    connect(incoming.get(), &QSocketNotifier::activated, this, &InstanceServer::accept);
    return true;
}

void InstanceServer::accept()
{
    for (;;) {
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (pending.size() >= size_t(MaxClients)) {
            ::close(fd);
            continue;
        }
        const quint64 id = ++lastClient;
        auto client = std::make_unique<Client>();
        client->fd = fd;
        client->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(client->notifier.get(), &QSocketNotifier::activated, this,
                [this, id] { read(id); });
        pending[id] = std::move(client);
        // A client that does not say all it has to say in time is let go.
        QTimer::singleShot(MessageTimeoutMs, this, [this, id] { pending.erase(id); });
        read(id);
    }
}

void InstanceServer::read(quint64 id)
{
    const auto found = pending.find(id);
    if (found == pending.end())
        return;
    Client &client = *found->second;
    bool closed = false;
    char buffer[4096];
    while (client.bytes.size() <= LocalMessage::MaxRequestBytes) {
        const int room = LocalMessage::MaxRequestBytes + 1 - client.bytes.size();
        const ssize_t got = ::recv(client.fd, buffer, std::min<size_t>(sizeof buffer, room), 0);
        if (got > 0)
            client.bytes.append(buffer, int(got));
        else if (got < 0 && errno == EINTR)
            continue;
        else {
            closed = got == 0 || errno != EAGAIN;
            break;
        }
    }
    int version = -1;
    QStringList arguments;
    const LocalMessage::Result got = LocalMessage::readRequest(client.bytes, version, arguments);
    if (got == LocalMessage::Incomplete && !closed)
        return; // the rest has not arrived yet
    const int fd = client.fd;
    client.fd = -1;
    pending.erase(found); // one message per connection: nothing more is read from it
    if (got != LocalMessage::Complete) {
        ::close(fd);
        return;
    }
    answer(fd, version, arguments);
}

void InstanceServer::answer(int fd, int version, const QStringList &arguments)
{
    // A client that gave up waiting (this panel was stopped a while) has told its user so:
    // what it asked is not carried out behind its back.
    if (gone(fd)) {
        ::close(fd);
        return;
    }
    if (version != LocalMessage::Version) {
        send(fd, Outcome::misused("this panel speaks another version"));
        return;
    }
    const std::weak_ptr<bool> server = alive;
    handler(arguments, [fd, server](const Outcome &outcome) {
        // A panel closing leaves its clients to find the socket closed.
        if (server.expired())
            ::close(fd);
        else
            send(fd, outcome);
    });
}

void InstanceServer::send(int fd, const Outcome &outcome)
{
    const QByteArray bytes = LocalMessage::answer(outcome);
    const QDeadlineTimer deadline(1000);
    for (int sent = 0; sent < bytes.size() && !gone(fd);) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += int(n);
            continue;
        }
        pollfd writable = {fd, POLLOUT, 0};
        if ((n < 0 && errno != EAGAIN && errno != EINTR) || deadline.hasExpired() ||
            ::poll(&writable, 1, int(deadline.remainingTime())) < 0)
            break;
    }
    ::close(fd);
}
