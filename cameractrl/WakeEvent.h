// SPDX-License-Identifier: GPL-2.0-or-later
// Wakes a thread that sleeps in poll(): a Linux eventfd, written by any thread and read by the
// one that sleeps on it.
#pragma once

class WakeEvent
{
public:
    WakeEvent();
    ~WakeEvent();
    WakeEvent(const WakeEvent &) = delete;
    WakeEvent &operator=(const WakeEvent &) = delete;

    int fd() const { return descriptor; } // for poll(); -1 when none could be made
    void wake() const;
    void drain() const; // after poll() has reported it
private:
    int descriptor = -1;
};
