// SPDX-License-Identifier: GPL-2.0-or-later
// The HTTP API as the program sees it: HttpApi, in its own module so that libmicrohttpd and
// GnuTLS are loaded only with --http (see HttpModule).
#pragma once

#include <QString>

class RemotePanel;

class HttpServer
{
public:
    virtual ~HttpServer() = default;

    // Listens on `address` (an IP address) and `port`; "" when it does, else why not.
    // Any address but the loopback needs a token.
    virtual QString start(const QString &address, int port, const QString &token) = 0;
    virtual bool isListening() const = 0;
};

// The module's one entry point, looked up by name: the number changes with this interface.
extern "C" HttpServer *ptz_create_http_server_3(RemotePanel &panel);
using CreateHttpServer = decltype(&ptz_create_http_server_3);
constexpr char HttpServerEntry[] = "ptz_create_http_server_3";
