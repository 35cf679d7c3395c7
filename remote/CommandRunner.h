// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out one command on a camera target, with the checks and the wording every input
// shares: the command line with or without a panel, and the HTTP API.
#pragma once

#include "Command.h"

class CameraTarget;

class CommandRunner
{
public:
    static Outcome run(const Command &command, CameraTarget &target);
};
