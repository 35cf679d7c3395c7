// SPDX-License-Identifier: GPL-2.0-or-later
// The game-controller module's one exported symbol.
#include "Controllers.h"
#include "GamepadInput.h"

extern "C" Q_DECL_EXPORT Controllers *ptz_create_controllers_2(PanelControl &panel)
{
    return new GamepadInput(panel);
}
