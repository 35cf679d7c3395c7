// SPDX-License-Identifier: GPL-2.0-or-later
#include "HttpModule.h"

HttpModule::HttpModule(RemotePanel &panel)
    : panel(panel),
      module("ptz-http", HttpServerEntry, QStringLiteral("the HTTP API cannot be served"))
{}

HttpModule::~HttpModule() = default;

QString HttpModule::start(const QString &address, int port, const QString &token)
{
    if (!server) {
        const auto create = reinterpret_cast<CreateHttpServer>(module.entry());
        if (!create)
            return module.error();
        server.reset(create(panel));
    }
    return server->start(address, port, token);
}
