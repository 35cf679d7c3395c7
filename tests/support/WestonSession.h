// SPDX-License-Identifier: GPL-2.0-or-later
// A private headless Weston compositor with XWayland, for the tests of the start-up choice
// between Wayland and X: its Wayland socket and the X display it serves.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>

class WestonSession
{
public:
    WestonSession();
    ~WestonSession();

    bool isRunning() const { return !xDisplay.isEmpty(); }
    QString display() const { return xDisplay; }
    // A Wayland session as a desktop sets it up: XDG_SESSION_TYPE, WAYLAND_DISPLAY and the
    // runtime directory; with DISPLAY when `withX`.
    QProcessEnvironment environment(bool withX) const;

private:
    QTemporaryDir runtime;
    std::unique_ptr<QProcess> weston;
    QString xDisplay;
};
