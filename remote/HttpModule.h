// SPDX-License-Identifier: GPL-2.0-or-later
// Opens the HTTP module the first time the API is asked for (--http, at start or handed
// over later). A missing or broken module is said once; the panel runs on without the API.
#pragma once

#include "HttpServer.h"
#include "PrivateModule.h"

#include <memory>

class HttpModule
{
public:
    explicit HttpModule(RemotePanel &panel);
    ~HttpModule();

    // As HttpServer::start; why not also when the module cannot be had.
    QString start(const QString &address, int port, const QString &token);
    // Whether the module could not be had: the panel goes on without the API.
    bool unavailable() const { return !module.error().isEmpty(); }

private:
    RemotePanel &panel;
    PrivateModule module;
    std::unique_ptr<HttpServer> server;
};
