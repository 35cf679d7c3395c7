#include "DisplayServer.h"

#include <QGuiApplication>
#include <QX11Info>

#include <X11/XKBlib.h>

#include <cstdio>

void chooseDisplayServer()
{
    // Qt picks Wayland in a Wayland session, where no window may place itself; XWayland
    // gives the panel back its X11 behaviour, and compositors honour it there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
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
