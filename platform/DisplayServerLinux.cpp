// SPDX-License-Identifier: GPL-2.0-or-later
#include "DisplayServer.h"

#include <QFile>
#include <QGuiApplication>
#include <QX11Info>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool xServerAnswers(QString &why)
{
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        why = QStringLiteral("no display to show the panel on (DISPLAY is not set); commands "
                             "such as --list need none");
        return false;
    }
    // The connection's handshake alone, with its authorisation: Xlib's own setup (locale,
    // extensions, resources) would cost milliseconds Qt then spends again.
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    const bool answers = !xcb_connection_has_error(x);
    xcb_disconnect(x);
    if (!answers)
        why = QStringLiteral("cannot open the display \"%1\"").arg(display);
    return answers;
}

bool compositorAnswers(QString &why)
{
    // Where the Wayland client library looks for it.
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!name.startsWith('/') && runtime.isEmpty()) {
        why = QStringLiteral("no Wayland compositor to show the panel on (XDG_RUNTIME_DIR is not "
                             "set); commands such as --list need none");
        return false;
    }
    const QByteArray path = QFile::encodeName(name.startsWith('/') ? name : runtime + '/' + name);
    sockaddr_un to = {};
    to.sun_family = AF_UNIX;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool reached = fd >= 0 && size_t(path.size()) < sizeof to.sun_path &&
                         (std::memcpy(to.sun_path, path.constData(), size_t(path.size())),
                          ::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to) == 0);
    if (fd >= 0)
        ::close(fd);
    if (!reached)
        why = QStringLiteral("cannot reach the Wayland compositor at %1")
                  .arg(QFile::decodeName(path));
    return reached;
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
    if (chosen.isEmpty()) {
        // Qt's default: an X server, or a Wayland compositor that it finds by itself.
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            return xServerAnswers(why);
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            return compositorAnswers(why);
        why = QStringLiteral("no display to show the panel on (neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set); commands such as --list need none");
        return false;
    }
    // Qt tries the platforms of a list in turn.
    for (const QString &alternative : chosen.split(';', Qt::SkipEmptyParts)) {
        const QString name = alternative.section(':', 0, 0);
        if (name == "xcb"                ? xServerAnswers(why)
            : name.startsWith("wayland") ? compositorAnswers(why)
                                         : true) // offscreen and the others: Qt's to judge
            return true;
    }
    return false;
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
