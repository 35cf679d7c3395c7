// SPDX-License-Identifier: GPL-2.0-or-later
// The few Win32 calls the main window makes. On Windows they are the system's own; elsewhere
// Win32Linux.h provides the same names, types and constants.
#pragma once

#if defined(_WIN32)
// windows.h must come first; initguid.h makes usbiodef.h define its GUIDs.
#include <windows.h>

#include <dbt.h>
#include <initguid.h>

#include <usbiodef.h>
#else
#include "Win32Linux.h"
#endif

// Whether the window is in the topmost band (what SetWindowPos last made it).
bool IsWindowTopmost(HWND window);
