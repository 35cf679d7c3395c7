// SPDX-License-Identifier: GPL-2.0-or-later
// The OSC module's one exported symbol.
#include "OscServer.h"

extern "C" Q_DECL_EXPORT OscEndpoint *ptz_create_osc_endpoint_2(RemotePanel &panel)
{
    return new OscServer(panel);
}
