// SPDX-License-Identifier: GPL-2.0-or-later
#include "Win32.h"

bool IsWindowTopmost(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
