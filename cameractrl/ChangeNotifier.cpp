// SPDX-License-Identifier: GPL-2.0-or-later
#include "ChangeNotifier.h"

void ChangeNotifier::set(ChangeListener newListener, void *newContext)
{
    const std::lock_guard<std::mutex> lock(mutex);
    listener = newListener;
    context = newContext;
}

void ChangeNotifier::notify(uint32_t changes)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (listener && changes)
        listener(context, changes);
}
