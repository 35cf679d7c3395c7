// SPDX-License-Identifier: GPL-2.0-or-later
#include "OscModule.h"

OscModule::OscModule(RemotePanel &panel)
    : panel(panel),
      module("ptz-osc", OscEndpointEntry, QStringLiteral("OSC messages cannot be taken"))
{}

OscModule::~OscModule() = default;

QString OscModule::start(const QString &address, int port, const QStringList &allowed,
                         const QString &feedback)
{
    if (!endpoint) {
        const auto create = reinterpret_cast<CreateOscEndpoint>(module.entry());
        if (!create)
            return module.error();
        endpoint.reset(create(panel));
    }
    return endpoint->start(address, port, allowed, feedback);
}
