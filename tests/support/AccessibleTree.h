// SPDX-License-Identifier: GPL-2.0-or-later
// What a screen reader reads of a real program: a session bus of its own (dbus-daemon, which
// starts the accessibility bus when asked), and the program's accessible objects as AT-SPI
// gives them over it, with where each is on the screen to point at.
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QVector>

class QDBusMessage;

class AccessibleTree : public QObject
{
    Q_OBJECT

public:
    AccessibleTree();
    ~AccessibleTree();

    bool isRunning() const { return !address.isEmpty(); }
    // What a program needs to be read: the bus, and Qt's bridge switched on.
    QProcessEnvironment environment() const;
    // Puts the accessibility bus on the X display `display` as a desktop session does, with
    // this reader listening already, for menuShown(): a program started there afterwards
    // connects at once and tells what it shows. One that finds the bus only through the
    // session bus often starts Qt's bridge before the listening and never tells.
    bool publishOn(const QString &display);

    struct Node
    {
        QString role, name, description;
        QRect extents; // on the screen; empty where it has none
    };
    // The accessible objects of the application `name` in the windows whose name holds
    // `window`, depth first.
    QVector<Node> nodes(const QString &application, const QString &window);
    // A popup menu is in no window's tree: a screen reader hears of it as it shows. The one
    // shown since the last call, the menu first, then its entries; empty while none is.
    QVector<Node> menuShown();

private slots:
    void stateChanged(const QDBusMessage &event);

private:
    QString busAddress();
    QDBusConnection accessibility();

    QProcess daemon;
    QString address;
    QString menuService, menuPath;
};
