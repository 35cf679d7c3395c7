// SPDX-License-Identifier: GPL-2.0-or-later
// The change listener of one device object, shared with the threads that report changes.
#pragma once

#include "BaseDevice.h"

#include <mutex>

class ChangeNotifier
{
public:
    // Once this returns, no call of the previous listener is running.
    void set(ChangeListener listener, void *context);
    void notify(uint32_t changes);

private:
    std::mutex mutex;
    ChangeListener listener = nullptr;
    void *context = nullptr;
};
