// SPDX-License-Identifier: GPL-2.0-or-later
// For watchdogs that are about to abort a hung test: every thread's stack on stderr.
#pragma once

// Attaches gdb to this process when it is installed; otherwise says how to get one.
void printAllStacks();
