// SPDX-License-Identifier: GPL-2.0-or-later
#include "AccessibleTree.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QElapsedTimer>

namespace {

// An accessible object as AT-SPI names it: the bus name of its program and its path.
struct Reference
{
    QString service;
    QDBusObjectPath path;
};

QDBusArgument &operator<<(QDBusArgument &out, const Reference &r)
{
    out.beginStructure();
    out << r.service << r.path;
    out.endStructure();
    return out;
}

const QDBusArgument &operator>>(const QDBusArgument &in, Reference &r)
{
    in.beginStructure();
    in >> r.service >> r.path;
    in.endStructure();
    return in;
}

} // namespace

Q_DECLARE_METATYPE(Reference)
Q_DECLARE_METATYPE(QList<Reference>)

namespace {

QDBusMessage accessible(const Reference &r, const char *method)
{
    return QDBusMessage::createMethodCall(r.service, r.path.path(), "org.a11y.atspi.Accessible",
                                          method);
}

QString property(QDBusConnection &bus, const Reference &r, const char *name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(r.service, r.path.path(),
                                                      "org.freedesktop.DBus.Properties", "Get");
    get << QStringLiteral("org.a11y.atspi.Accessible") << QString::fromLatin1(name);
    const QDBusReply<QDBusVariant> reply = bus.call(get);
    return reply.isValid() ? reply.value().variant().toString() : QString();
}

QList<Reference> children(QDBusConnection &bus, const Reference &r)
{
    const QDBusReply<QList<Reference>> reply = bus.call(accessible(r, "GetChildren"));
    return reply.isValid() ? reply.value() : QList<Reference>();
}

void walk(QDBusConnection &bus, const Reference &r, QVector<AccessibleTree::Node> &into, int depth)
{
    const QDBusReply<QString> role = bus.call(accessible(r, "GetRoleName"));
    into.append({role.value(), property(bus, r, "Name"), property(bus, r, "Description")});
    if (depth < 32)
        for (const Reference &child : children(bus, r))
            walk(bus, child, into, depth + 1);
}

} // namespace

AccessibleTree::AccessibleTree()
{
    qDBusRegisterMetaType<Reference>();
    qDBusRegisterMetaType<QList<Reference>>();
    daemon.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (!out.contains('\n') && clock.elapsed() < 10000 && daemon.waitForReadyRead(100))
        out += daemon.readAllStandardOutput();
    address = QString::fromLatin1(out.trimmed());
}

AccessibleTree::~AccessibleTree()
{
    QDBusConnection::disconnectFromBus("accessibility");
    QDBusConnection::disconnectFromBus("session");
    daemon.terminate();
    daemon.waitForFinished(3000);
}

QProcessEnvironment AccessibleTree::environment() const
{
    QProcessEnvironment env;
    env.insert("DBUS_SESSION_BUS_ADDRESS", address);
    env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    return env;
}

QVector<AccessibleTree::Node> AccessibleTree::nodes(const QString &application,
                                                    const QString &window)
{
    QVector<Node> found;
    QDBusConnection session = QDBusConnection::connectToBus(address, "session");
    const QDBusReply<QString> where = session.call(QDBusMessage::createMethodCall(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
    if (!where.isValid())
        return found;
    QDBusConnection bus = QDBusConnection::connectToBus(where.value(), "accessibility");
    const Reference root{"org.a11y.atspi.Registry",
                         QDBusObjectPath("/org/a11y/atspi/accessible/root")};
    for (const Reference &program : children(bus, root)) {
        if (property(bus, program, "Name") != application)
            continue;
        for (const Reference &top : children(bus, program))
            if (property(bus, top, "Name").contains(window))
                walk(bus, top, found, 0);
    }
    return found;
}
