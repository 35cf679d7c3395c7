// SPDX-License-Identifier: GPL-2.0-or-later
#include "OscServer.h"
#include "RemotePanel.h"

#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>

#include <lo/lo.h>

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// liblo leaves its arguments where they are in the datagram, four-byte aligned only: read
// them as bytes, not through its eight-byte union.
int32_t intArgument(const lo_arg *argument)
{
    int32_t value = 0;
    std::memcpy(&value, argument, sizeof value);
    return value;
}

constexpr int ComplaintGapMs = 60000;
constexpr int MaxDatagram = 4096;

struct Address
{
    const char *name;
    const char *types;
    Command::Kind kind;
};

// Each command and the argument types it takes, exactly.
constexpr Address Addresses[] = {
    {"preset", "i", Command::Preset},    {"store", "i", Command::Store},
    {"move", "si", Command::Move},       {"zoom", "si", Command::Zoom},
    {"stop", "", Command::Stop},         {"home", "", Command::Home},
    {"camera", "s", Command::Camera},    {"tally", "s", Command::Tally},
    {"shot", "s", Command::Shot},        {"tour", "s", Command::Tour},
    {"stoptour", "", Command::StopTour}, {"stoptour", "s", Command::StopTour},
};

} // namespace

OscServer::OscServer(RemotePanel &panel) : commands(panel) {}

OscServer::~OscServer()
{
    if (feedbackSink) {
        commands.removeEventSink(feedbackSink);
        commands.listenToEvents(false);
    }
    incoming.reset();
    if (fd >= 0)
        ::close(fd);
    if (feedbackAddress)
        lo_address_free(static_cast<lo_address>(feedbackAddress));
}

QString OscServer::start(const QString &address, int port, const QStringList &allowedHosts,
                         const QString &feedback)
{
    if (fd >= 0)
        return QStringLiteral("this panel takes OSC already");
    const QHostAddress host(address);
    if (host.isNull())
        return QStringLiteral("\"%1\" is no IP address").arg(address);
    if (!host.isLoopback() && allowedHosts.isEmpty())
        return QStringLiteral("listening for OSC on %1 needs --osc-allow: anyone on the network "
                              "can send UDP under any address")
            .arg(address);
    for (const QString &name : allowedHosts) {
        const QHostAddress literal(name);
        const QList<QHostAddress> found =
            literal.isNull() ? QHostInfo::fromName(name).addresses() : QList<QHostAddress>{literal};
        if (found.isEmpty())
            return QStringLiteral("--osc-allow: cannot find %1").arg(name);
        senders << found;
    }

    // Before the socket, so that a refusal leaves nothing bound.
    if (!feedback.isEmpty() && !feedbackAddress) {
        const int colon = int(feedback.lastIndexOf(':'));
        feedbackAddress = lo_address_new(feedback.left(colon).toUtf8().constData(),
                                         feedback.mid(colon + 1).toUtf8().constData());
        if (!feedbackAddress)
            return QStringLiteral("--osc-feedback: cannot send to %1").arg(feedback);
    }

    const bool v6 = host.protocol() == QAbstractSocket::IPv6Protocol;
    fd = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_storage where = {};
    socklen_t length = 0;
    if (v6) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&where);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(quint16(port));
        const Q_IPV6ADDR bytes = host.toIPv6Address();
        std::memcpy(&in6->sin6_addr, bytes.c, sizeof bytes.c);
        length = sizeof *in6;
    } else {
        auto *in4 = reinterpret_cast<sockaddr_in *>(&where);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(quint16(port));
        in4->sin_addr.s_addr = htonl(host.toIPv4Address());
        length = sizeof *in4;
    }
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&where), length) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        return QStringLiteral("cannot take OSC on %1:%2: %3").arg(address).arg(port).arg(why);
    }
    boundPort = port;

    if (!feedback.isEmpty()) {
        commands.listenToEvents(true);
        feedbackSink =
            commands.addEventSink([this](const QJsonObject &event) { sendFeedback(event); });
    }
    incoming = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(incoming.get(), &QSocketNotifier::activated, this, &OscServer::receive);
    return {};
}

void OscServer::receive()
{
    // A few at a time, so that a flood leaves the window its turns.
    for (int i = 0; i < 64; ++i) {
        char buffer[MaxDatagram];
        sockaddr_storage from = {};
        socklen_t length = sizeof from;
        const ssize_t got = ::recvfrom(fd, buffer, sizeof buffer, MSG_TRUNC,
                                       reinterpret_cast<sockaddr *>(&from), &length);
        if (got < 0)
            return;
        QHostAddress sender(reinterpret_cast<sockaddr *>(&from));
        // An IPv4 sender on an IPv6 socket is one sender whichever way it is written.
        bool mapped = false;
        const quint32 v4 = sender.toIPv4Address(&mapped);
        if (mapped)
            sender = QHostAddress(v4);
        if (got > MaxDatagram || !allowed(sender) || !take(QByteArray(buffer, int(got)), sender))
            ++droppedCount;
    }
}

bool OscServer::allowed(const QHostAddress &from) const
{
    return from.isLoopback() || senders.contains(from);
}

bool OscServer::take(const QByteArray &datagram, const QHostAddress &from)
{
    QByteArray bytes = datagram;
    int result = 0;
    lo_message message = lo_message_deserialise(bytes.data(), size_t(bytes.size()), &result);
    if (!message)
        return false;
    const char *rawPath = lo_get_path(bytes.data(), bytes.size());
    const QStringList parts = QString::fromUtf8(rawPath ? rawPath : "").split('/');
    const char *rawTypes = lo_message_get_types(message);
    const QByteArray types = rawTypes ? QByteArray(rawTypes) : QByteArray();
    lo_arg **argv = lo_message_get_argv(message);
    const auto freed = [&](bool taken) {
        lo_message_free(message);
        return taken;
    };

    // "/ptz/NAME" or "/ptz/CAMERA/NAME"
    if ((parts.size() != 3 && parts.size() != 4) || !parts[0].isEmpty() || parts[1] != "ptz")
        return freed(false);
    const QString name = parts.last();
    const Address *address = nullptr;
    for (const Address &a : Addresses)
        if (name == a.name && types == a.types)
            address = &a;
    if (!address)
        return freed(false);

    Command c;
    c.kind = address->kind;
    c.by = QStringLiteral("osc");
    c.on = parts.size() == 4 ? parts[2] : QString();
    // Choosing the window's camera and shots and tours belong to no one camera.
    if ((c.kind == Command::Camera || Command::isShow(c.kind)) && !c.on.isEmpty())
        return freed(false);
    const QString text = types.startsWith('s')
                             ? QString::fromUtf8(reinterpret_cast<const char *>(argv[0]))
                             : QString();
    switch (c.kind) {
    case Command::Preset:
    case Command::Store:
        c.number = intArgument(argv[0]);
        break;
    case Command::Move:
        c.direction = Command::directionKey(text);
        c.speed = intArgument(argv[1]);
        break;
    case Command::Zoom:
        c.direction = Command::indexOf(Command::zoomDirections(), text) - 1;
        c.speed = intArgument(argv[1]);
        break;
    case Command::Camera:
        c.text = text;
        break;
    case Command::Tally:
        c.number = Command::indexOf(Command::tallyStates(), text);
        break;
    case Command::Shot:
    case Command::Tour:
    case Command::StopTour:
        c.name = text;
        break;
    default:
        break;
    }
    lo_message_free(message);
    Command::Value wrong;
    if (!c.check(wrong))
        return false;

    if (!c.on.isEmpty() && commands.nameOf(c.on).isEmpty()) {
        complain(from, QStringLiteral("no camera %1 is attached").arg(c.on));
        return true; // taken, and answered as well as OSC can
    }
    const QString key =
        commands.nameOf(c.on) == commands.nameOf({}) ? QString() : commands.nameOf(c.on);
    if (c.kind == Command::Stop)
        deadManOf(key).stop();
    const std::weak_ptr<bool> server = alive;
    commands.run(c, [this, server, key, from, kind = c.kind](const Outcome &done) {
        if (server.expired())
            return;
        if (!done.exitCode && (kind == Command::Move || kind == Command::Zoom))
            deadManOf(key).start(KeepAliveMs);
        // A shot or tour that is not there is said, as an unknown camera is.
        if (done.exitCode && Command::isShow(kind))
            complain(from, done.error);
    });
    return true;
}

void OscServer::complain(const QHostAddress &from, const QString &why)
{
    QElapsedTimer &last = complained[from.toString()];
    if (last.isValid() && last.elapsed() < ComplaintGapMs)
        return;
    last.start();
    std::fprintf(stderr, "ptz-panel: OSC from %s: %s\n", qPrintable(from.toString()),
                 qPrintable(why));
}

QTimer &OscServer::deadManOf(const QString &camera)
{
    std::unique_ptr<QTimer> &timer = deadMen[camera];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        connect(timer.get(), &QTimer::timeout, this, [this, camera] {
            Command stop;
            stop.kind = Command::Stop;
            stop.on = camera;
            stop.by = QStringLiteral("osc keep-alive missed");
            stop.lapsed = true;
            commands.run(stop, [](const Outcome &) {});
        });
    }
    return *timer;
}

void OscServer::sendFeedback(const QJsonObject &event)
{
    const QByteArray json = QJsonDocument(event).toJson(QJsonDocument::Compact);
    lo_send(static_cast<lo_address>(feedbackAddress), "/ptz/event", "s", json.constData());
}
