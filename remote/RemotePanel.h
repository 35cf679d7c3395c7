// SPDX-License-Identifier: GPL-2.0-or-later
// What the HTTP API asks of the running panel (PanelCommands gives it). The API lives in a
// module of its own and sees the panel through this interface alone.
#pragma once

#include "Command.h"

#include <QJsonArray>
#include <QJsonObject>

class RemotePanel
{
public:
    virtual ~RemotePanel() = default;

    virtual Outcome run(const Command &command) = 0;
    // What the panel shows: its camera, image values, modes and last read position.
    virtual QJsonObject state() const = 0;
    virtual QJsonArray cameras() const = 0;
};
