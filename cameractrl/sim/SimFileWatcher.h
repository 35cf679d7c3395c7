// SPDX-License-Identifier: GPL-2.0-or-later
// Tells when a simulated camera's file is written while the camera is open, so that editing
// it acts like another program or the camera itself changing a setting. A thread of its own
// waits on inotify; it costs nothing while the file rests.
#pragma once

#include "WakeEvent.h"

#include <functional>
#include <string>
#include <thread>

class SimFileWatcher
{
public:
    // `changed` runs on the watcher's thread.
    SimFileWatcher(const std::string &path, std::function<void()> changed);
    ~SimFileWatcher(); // returns at once

    SimFileWatcher(const SimFileWatcher &) = delete;
    SimFileWatcher &operator=(const SimFileWatcher &) = delete;

private:
    void run();

    std::string name;
    std::function<void()> changed;
    int inotifyFd = -1;
    const WakeEvent wakeup;
    std::thread thread;
};
