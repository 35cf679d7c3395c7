// SPDX-License-Identifier: GPL-2.0-or-later
#include "WakeEvent.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

WakeEvent::WakeEvent() : descriptor(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeEvent::~WakeEvent()
{
    if (descriptor >= 0)
        ::close(descriptor);
}

void WakeEvent::wake() const
{
    const uint64_t one = 1;
    if (descriptor >= 0) [[maybe_unused]]
        auto n = ::write(descriptor, &one, sizeof one);
}

void WakeEvent::drain() const
{
    uint64_t count = 0;
    if (descriptor >= 0) [[maybe_unused]]
        auto n = ::read(descriptor, &count, sizeof count);
}
