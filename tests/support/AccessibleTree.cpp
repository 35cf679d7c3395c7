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

QString textOf(QDBusConnection &bus, const Reference &r, const char *name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(r.service, r.path.path(),
                                                      "org.freedesktop.DBus.Properties", "Get");
    get << QStringLiteral("org.a11y.atspi.Accessible") << QString::fromLatin1(name);
    const QDBusReply<QDBusVariant> reply = bus.call(get);
    return reply.isValid() ? reply.value().variant().toString() : QString();
}

QList<Reference> childrenOf(QDBusConnection &bus, const Reference &r)
{
    const QDBusReply<QList<Reference>> reply = bus.call(accessible(r, "GetChildren"));
    return reply.isValid() ? reply.value() : QList<Reference>();
}

QRect extents(QDBusConnection &bus, const Reference &r)
{
    QDBusMessage get = QDBusMessage::createMethodCall(r.service, r.path.path(),
                                                      "org.a11y.atspi.Component", "GetExtents");
    get << quint32(0); // in the screen's coordinates
    const QDBusMessage reply = bus.call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    int x = 0, y = 0, width = 0, height = 0;
    const QDBusArgument box = reply.arguments().first().value<QDBusArgument>();
    box.beginStructure();
    box >> x >> y >> width >> height;
    box.endStructure();
    return {x, y, width, height};
}

void walk(QDBusConnection &bus, const Reference &r, QVector<AccessibleTree::Node> &into, int depth)
{
    const QDBusReply<QString> role = bus.call(accessible(r, "GetRoleName"));
    into.append(
        {role.value(), textOf(bus, r, "Name"), textOf(bus, r, "Description"), extents(bus, r)});
    if (depth < 32)
        for (const Reference &child : childrenOf(bus, r))
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
    // A loaded machine may keep it quiet for longer than one wait.
    while (!out.contains('\n') && clock.elapsed() < 10000 &&
           daemon.state() != QProcess::NotRunning) {
        daemon.waitForReadyRead(100);
        out += daemon.readAllStandardOutput();
    }
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

QString AccessibleTree::busAddress()
{
    QDBusConnection session = QDBusConnection::connectToBus(address, "session");
    const QDBusReply<QString> where = session.call(QDBusMessage::createMethodCall(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
    return where.isValid() ? where.value() : QString();
}

bool AccessibleTree::publishOn(const QString &display)
{
    const QString bus = busAddress();
    if (bus.isEmpty() || !accessibility().isConnected())
        return false;
    QProcess xprop;
    xprop.start("xprop", {"-display", display, "-root", "-f", "AT_SPI_BUS", "8s", "-set",
                          "AT_SPI_BUS", bus});
    return xprop.waitForFinished(10000) && xprop.exitCode() == 0;
}

QDBusConnection AccessibleTree::accessibility()
{
    QDBusConnection bus("accessibility");
    if (bus.isConnected())
        return bus;
    const QString where = busAddress();
    if (where.isEmpty())
        return bus;
    bus = QDBusConnection::connectToBus(where, "accessibility");
    // Programs send events only while somebody listens for them.
    QDBusMessage listen =
        QDBusMessage::createMethodCall("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                                       "org.a11y.atspi.Registry", "RegisterEvent");
    listen << QStringLiteral("object:state-changed:showing");
    bus.call(listen);
    bus.connect({}, {}, "org.a11y.atspi.Event.Object", "StateChanged", this,
                SLOT(stateChanged(QDBusMessage)));
    return bus;
}

void AccessibleTree::stateChanged(const QDBusMessage &event)
{
    const QVariantList about = event.arguments();
    if (about.value(0).toString() != "showing")
        return;
    if (about.value(1).toInt() == 0) {
        if (event.path() == menuPath)
            menuService.clear();
        return;
    }
    QDBusConnection bus = accessibility();
    const QDBusReply<QString> role =
        bus.call(accessible({event.service(), QDBusObjectPath(event.path())}, "GetRoleName"));
    if (role.value().endsWith("menu")) {
        menuService = event.service();
        menuPath = event.path();
    }
}

QVector<AccessibleTree::Node> AccessibleTree::menuShown()
{
    QVector<Node> found;
    if (menuService.isEmpty())
        return found;
    QDBusConnection bus = accessibility();
    walk(bus, {menuService, QDBusObjectPath(menuPath)}, found, 0);
    menuService.clear();
    return found;
}

QVector<AccessibleTree::Node> AccessibleTree::nodes(const QString &application,
                                                    const QString &window)
{
    QVector<Node> found;
    QDBusConnection bus = accessibility();
    if (!bus.isConnected())
        return found;
    const Reference root{"org.a11y.atspi.Registry",
                         QDBusObjectPath("/org/a11y/atspi/accessible/root")};
    for (const Reference &program : childrenOf(bus, root)) {
        if (textOf(bus, program, "Name") != application)
            continue;
        for (const Reference &top : childrenOf(bus, program))
            if (textOf(bus, top, "Name").contains(window))
                walk(bus, top, found, 0);
    }
    return found;
}
