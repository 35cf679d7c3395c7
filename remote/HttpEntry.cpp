// SPDX-License-Identifier: GPL-2.0-or-later
// The HTTP module's one exported symbol.
#include "HttpApi.h"

extern "C" Q_DECL_EXPORT HttpServer *ptz_create_http_server_3(RemotePanel &panel)
{
    return new HttpApi(panel);
}
