// SPDX-License-Identifier: GPL-2.0-or-later
// What a screen reader reads of a real program: a session bus of its own (dbus-daemon, which
// starts the accessibility bus when asked), and the program's accessible objects as AT-SPI
// gives them over it.
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QVector>

class AccessibleTree
{
public:
    AccessibleTree();
    ~AccessibleTree();

    bool isRunning() const { return !address.isEmpty(); }
    // What a program needs to be read: the bus, and Qt's bridge switched on.
    QProcessEnvironment environment() const;

    struct Node
    {
        QString role, name, description;
    };
    // The accessible objects of the application `name` in the windows whose name holds
    // `window`, depth first.
    QVector<Node> nodes(const QString &application, const QString &window);

private:
    QProcess daemon;
    QString address;
};
