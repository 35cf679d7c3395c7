// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up work Qt would do on the main thread, or wait for there, done on a second core
// meanwhile. Windows has none of it.
#pragma once

#include <thread>

class Preload
{
public:
    enum Job
    {
        // Before the application object exists: the system's font setup, which the first
        // font the forms ask for would wait for (a fifth of the start).
        Fonts,
        // Once it exists: the session bus, which the accessibility bridge waits for as the
        // first control changes (without a bus, for the failed attempt to start one).
        SessionBus,
    };

    explicit Preload(Job job);
    ~Preload(); // waits for it
    Preload(const Preload &) = delete;
    Preload &operator=(const Preload &) = delete;

    // Fonts: before the first font is used, as Qt would otherwise read it all again.
    void wait();

private:
    std::thread worker;
};
