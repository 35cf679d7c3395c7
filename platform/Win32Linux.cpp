// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceNotifier.h"
#include "Win32.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QX11Info>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace {

thread_local DWORD lastError = 0;

const char *const TopmostProperty = "_ptz_topmost";

bool windowManagerRunning(Display *display)
{
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &remaining, &data);
    const bool running = status == Success && type == XA_WINDOW && count == 1;
    if (data)
        XFree(data);
    return running;
}

// EWMH: a window manager owns _NET_WM_STATE of mapped windows and is asked by a client
// message; without one (or before mapping) the client writes the property itself.
void setAboveState(QWidget *widget, bool above)
{
    Display *display = QX11Info::display();
    if (!display)
        return;
    const Window window = static_cast<Window>(widget->winId());
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom aboveAtom = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);

    if (widget->isVisible() && windowManagerRunning(display)) {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = state;
        event.xclient.format = 32;
        event.xclient.data.l[0] = above ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        event.xclient.data.l[1] = static_cast<long>(aboveAtom);
        event.xclient.data.l[3] = 1; // from a normal application
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        std::vector<Atom> atoms;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, window, state, 0, 64, False, XA_ATOM, &type, &format,
                               &count, &remaining, &data) == Success &&
            data && format == 32) {
            const auto *list = reinterpret_cast<const Atom *>(data);
            atoms.assign(list, list + count);
        }
        if (data)
            XFree(data);
        atoms.erase(std::remove(atoms.begin(), atoms.end(), aboveAtom), atoms.end());
        if (above)
            atoms.push_back(aboveAtom);
        XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(atoms.data()),
                        static_cast<int>(atoms.size()));
    }
    if (above)
        XRaiseWindow(display, window);
    XFlush(display);
}

QWidget *widgetOf(HWND window)
{
    return window ? QWidget::find(reinterpret_cast<WId>(window)) : nullptr;
}

} // namespace

DWORD GetLastError()
{
    return lastError;
}

void SetLastError(DWORD error)
{
    lastError = error;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int, int, int, int, UINT)
{
    QWidget *widget = widgetOf(window);
    if (!widget) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Position, size and SWP_SHOWWINDOW are left to the toolkit, which maps the window on
    // show(); only the z-order band is ours to change.
    if (insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST)
        return TRUE;
    const bool above = insertAfter == HWND_TOPMOST;
    widget->setProperty(TopmostProperty, above);
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        setAboveState(widget, above);
    return TRUE;
}

bool IsWindowTopmost(HWND window)
{
    const QWidget *widget = widgetOf(window);
    return widget && widget->property(TopmostProperty).toBool();
}

HDEVNOTIFY RegisterDeviceNotificationW(HANDLE recipient, void *filter, DWORD flags)
{
    const auto *record = static_cast<const DEV_BROADCAST_DEVICEINTERFACE_W *>(filter);
    if (flags != DEVICE_NOTIFY_WINDOW_HANDLE || !record ||
        record->dbcc_size < sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) ||
        record->dbcc_devicetype != DBT_DEVTYP_DEVICEINTERFACE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    QWidget *widget = widgetOf(static_cast<HWND>(recipient));
    if (!widget) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    DeviceNotifier *notifier = DeviceNotifier::instance();
    if (!notifier) {
        SetLastError(ERROR_SERVICE_NOT_ACTIVE);
        return nullptr;
    }
    return notifier->add(widget->winId());
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle)
{
    DeviceNotifier *notifier = DeviceNotifier::instance();
    if (!notifier || !notifier->remove(handle)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
