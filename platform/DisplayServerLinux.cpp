#include "DisplayServer.h"

#include <QGuiApplication>
#include <QX11Info>

#include <X11/XKBlib.h>

#include <cstdio>

#include <X11/Xlib.h>

namespace {

bool xServerAnswers(const QString &display, QString &why)
{
    Display *x = XOpenDisplay(nullptr);
    if (!x) {
        why = QStringLiteral("cannot open the display \"%1\"").arg(display);
        return false;
    }
    XCloseDisplay(x);
    return true;
}

} // namespace

void chooseDisplayServer()
{
    // Qt picks Wayland in a Wayland session, where no window may place itself; XWayland
    // gives the panel back its X11 behaviour, and compositors honour it there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

bool displayAvailable(const QString &platform, QString &why)
{
    const QString chosen = platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platform;
    const QString first = chosen.section(';', 0, 0).section(':', 0, 0);
    const QString display = qEnvironmentVariable("DISPLAY");
    if (first.isEmpty()) {
        // Qt's default: an X server, or a Wayland compositor that it finds by itself.
        if (!display.isEmpty())
            return xServerAnswers(display, why);
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            return true;
        why = QStringLiteral("no display to show the panel on (neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set); commands such as --list need none");
        return false;
    }
    if (first == "xcb") {
        if (!display.isEmpty())
            return xServerAnswers(display, why);
        why = QStringLiteral("no display to show the panel on (DISPLAY is not set); commands "
                             "such as --list need none");
        return false;
    }
    return true; // Wayland, offscreen and the others: Qt's to judge
}

bool windowsPlaceThemselves()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void reportWindowLimits()
{
    if (windowsPlaceThemselves())
        return;
    std::fprintf(stderr,
                 "ptz-panel: on Wayland without an X server the window cannot place itself, "
                 "dock and hide at the screen edge, or stay on top; run it where XWayland is "
                 "available (DISPLAY set) for those.\n");
}

void reportKeyRepeatsAsPresses()
{
    // Wayland compositors leave repeats to the client, and Qt flags its own.
    if (QX11Info::isPlatformX11() && QX11Info::display())
        XkbSetDetectableAutoRepeat(QX11Info::display(), True, nullptr);
}
