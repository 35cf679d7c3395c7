// SPDX-License-Identifier: GPL-2.0-or-later
// The board module's one exported symbol.
#include "PresetBoard.h"

extern "C" Q_DECL_EXPORT Board *ptz_create_board_1(RemotePanel &panel)
{
    return new PresetBoard(panel);
}
