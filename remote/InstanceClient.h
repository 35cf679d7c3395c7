// Hands a start's arguments to the user's running panel and waits for its answer, within
// bounds: a panel that does not answer is as good as none.
#pragma once

#include "Command.h"

#include <QStringList>

class InstanceClient
{
public:
    // False when no panel took them; otherwise `outcome` is what it answered.
    static bool handOver(const QStringList &arguments, Outcome &outcome);

    // The version of the messages between the two.
    static constexpr quint8 Protocol = 1;
};
