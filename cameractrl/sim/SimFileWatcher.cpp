// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimFileWatcher.h"

#include <cstring>
#include <filesystem>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

SimFileWatcher::SimFileWatcher(const std::string &path, std::function<void()> onChange)
    : changed(std::move(onChange))
{
    const std::filesystem::path file(path);
    name = file.filename().string();
    inotifyFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotifyFd < 0 || wakeup.fd() < 0)
        return;
    // The directory, not the file: editors and tools replace files by renaming.
    const std::string dir = file.has_parent_path() ? file.parent_path().string() : ".";
    if (inotify_add_watch(inotifyFd, dir.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0)
        return;
    thread = std::thread(&SimFileWatcher::run, this);
}

SimFileWatcher::~SimFileWatcher()
{
    wakeup.wake();
    if (thread.joinable())
        thread.join();
    if (inotifyFd >= 0)
        ::close(inotifyFd);
}

void SimFileWatcher::run()
{
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        pollfd watched[2] = {{wakeup.fd(), POLLIN, 0}, {inotifyFd, POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0)
            continue;
        if (watched[0].revents)
            return;
        bool ours = false;
        ssize_t length;
        while ((length = ::read(inotifyFd, buffer, sizeof buffer)) > 0) {
            for (char *at = buffer; at < buffer + length;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                ours = ours || (event->len > 0 && name == event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        if (ours)
            changed();
    }
}
