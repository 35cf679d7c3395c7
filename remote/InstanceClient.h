// SPDX-License-Identifier: GPL-2.0-or-later
// Hands a start's arguments to the user's running panel and waits for its answer, within
// bounds: a panel that does not answer in time is reported as such, never waited for.
#pragma once

#include "Command.h"

#include <QStringList>

class InstanceClient
{
public:
    // False when no panel runs; otherwise `outcome` is what it answered, or why there is no
    // answer: it did not answer in time, or the socket is another user's.
    static bool handOver(const QStringList &arguments, Outcome &outcome);

    // How long a command waits for the running panel, from connecting to the answer.
    static constexpr int AnswerTimeoutMs = 5000;
};
