// SPDX-License-Identifier: GPL-2.0-or-later
// Starts a program and reports how long it took to map its first top-level window:
//   mapwatch PROGRAM [ARGS...]   prints "PID MILLISECONDS START" and leaves the program running;
// START is the monotonic clock at the start in seconds, as a timed call trace writes it.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <signal.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwatch: no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Our reader waits for the end of our output; the program must not hold it open.
        if (FILE *null = std::fopen("/dev/null", "w"))
            dup2(fileno(null), STDOUT_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            const double begun = std::chrono::duration<double>(start.time_since_epoch()).count();
            std::printf("%d %.1f %.6f\n", int(pid), ms, begun);
            return 0;
        }
    }
}
