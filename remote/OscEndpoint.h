// SPDX-License-Identifier: GPL-2.0-or-later
// The OSC endpoint as the program sees it: OscServer, in its own module so that liblo and
// Qt Network are loaded only with --osc (see OscModule).
#pragma once

#include <QString>
#include <QStringList>

class RemotePanel;

class OscEndpoint
{
public:
    virtual ~OscEndpoint() = default;

    // Listens on `address` and `port`; senders other than the loopback need to be among
    // `allowed` (host names or addresses), as does listening elsewhere. With `feedback`
    // (HOST:PORT), every event goes there as "/ptz/event" with its JSON. "" when it
    // listens, else why not.
    virtual QString start(const QString &address, int port, const QStringList &allowed,
                          const QString &feedback) = 0;
};

// The module's one entry point, looked up by name: the number changes with this interface
// and with RemotePanel.
extern "C" OscEndpoint *ptz_create_osc_endpoint_2(RemotePanel &panel);
using CreateOscEndpoint = decltype(&ptz_create_osc_endpoint_2);
constexpr char OscEndpointEntry[] = "ptz_create_osc_endpoint_2";
