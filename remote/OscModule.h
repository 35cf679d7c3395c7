// SPDX-License-Identifier: GPL-2.0-or-later
// Opens the OSC module when --osc asks for it. A missing or broken module is said once; the
// panel runs on without OSC.
#pragma once

#include "OscEndpoint.h"
#include "PrivateModule.h"

#include <memory>

class OscModule
{
public:
    explicit OscModule(RemotePanel &panel);
    ~OscModule();

    // As OscEndpoint::start; why not also when the module cannot be had.
    QString start(const QString &address, int port, const QStringList &allowed,
                  const QString &feedback);
    // Whether the module could not be had: the panel goes on without OSC.
    bool unavailable() const { return !module.error().isEmpty(); }

private:
    RemotePanel &panel;
    PrivateModule module;
    std::unique_ptr<OscEndpoint> endpoint;
};
