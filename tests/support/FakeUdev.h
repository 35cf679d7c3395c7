// SPDX-License-Identifier: GPL-2.0-or-later
// Announces a device the way udevd does after its rules have run: one message to the "udev"
// netlink group, which every udev monitor of this network namespace receives (libudev takes
// messages from root there). Needs CAP_NET_ADMIN, as udevd has.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class FakeUdev
{
public:
    using Properties = QList<QPair<QByteArray, QByteArray>>;

    // `action` "add" or "remove"; false and why when it could not be sent.
    static bool announce(const QByteArray &action, const QByteArray &subsystem,
                         const QByteArray &devpath, const Properties &properties, QString &why);
    // An input device as input_id describes it: `kind` "JOYSTICK", "KEY", "MOUSE" ...
    static bool announceInput(const QByteArray &action, const QByteArray &kind, QString &why);
};
