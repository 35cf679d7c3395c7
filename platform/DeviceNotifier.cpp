// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceNotifier.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QSocketNotifier>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <libudev.h>

#include <cstring>

namespace {

bool udevBlocked = false;

// What udev's input_id calls a joystick covers game controllers too.
bool isJoystick(udev_device *device)
{
    const char *joystick = udev_device_get_property_value(device, "ID_INPUT_JOYSTICK");
    return joystick && std::strcmp(joystick, "1") == 0;
}

} // namespace

bool DeviceNotifier::joystickAttached()
{
    if (udevBlocked)
        return false;
    udev *context = udev_new();
    if (!context)
        return false;
    bool found = false;
    if (udev_enumerate *enumerate = udev_enumerate_new(context)) {
        udev_enumerate_add_match_subsystem(enumerate, "input");
        udev_enumerate_add_match_property(enumerate, "ID_INPUT_JOYSTICK", "1");
        found = udev_enumerate_scan_devices(enumerate) == 0 &&
                udev_enumerate_get_list_entry(enumerate) != nullptr;
        udev_enumerate_unref(enumerate);
    }
    udev_unref(context);
    return found;
}

void DeviceNotifier::setUdevBlockedForTesting(bool blocked)
{
    udevBlocked = blocked;
}

DeviceNotifier *DeviceNotifier::instance()
{
    static QPointer<DeviceNotifier> notifier;
    if (udevBlocked || !QCoreApplication::instance())
        return nullptr;
    if (notifier)
        return notifier;

    udev *context = udev_new();
    udev_monitor *monitor = context ? udev_monitor_new_from_netlink(context, "udev") : nullptr;
    // USB devices, and video nodes too: a slow camera's node appears some time after the
    // USB device itself.
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", "usb_device") < 0 ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "video4linux", nullptr) < 0 ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "input", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
        return nullptr;
    }
    notifier = new DeviceNotifier(context, monitor);
    return notifier;
}

DeviceNotifier::DeviceNotifier(udev *udevContext, udev_monitor *udevMonitor)
    : QObject(QCoreApplication::instance()), context(udevContext), monitor(udevMonitor)
{
    udevNotifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
    connect(udevNotifier, &QSocketNotifier::activated, this, &DeviceNotifier::readUdev);
}

void DeviceNotifier::followSimDir()
{
    QString dir = qEnvironmentVariable("CAMERACTRL_SIM_DIR");
    if (!dir.isEmpty())
        dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (dir == simDir)
        return;
    simWatcher.reset();
    simDir = dir;
    simFiles.clear();
    if (simDir.isEmpty())
        return;
    simWatcher = std::make_unique<QFileSystemWatcher>();
    connect(simWatcher.get(), &QFileSystemWatcher::directoryChanged, this,
            &DeviceNotifier::rescanSimDir);
    watchSimDir();
    simFiles = simCameraFiles();
}

DeviceNotifier::~DeviceNotifier()
{
    udev_monitor_unref(monitor);
    udev_unref(context);
}

HDEVNOTIFY DeviceNotifier::add(WId window)
{
    followSimDir();
    recipients.push_back({nextHandle, window});
    return reinterpret_cast<HDEVNOTIFY>(nextHandle++);
}

bool DeviceNotifier::remove(HDEVNOTIFY handle)
{
    const auto id = reinterpret_cast<quintptr>(handle);
    for (auto it = recipients.begin(); it != recipients.end(); ++it) {
        if (it->handle == id) {
            recipients.erase(it);
            return true;
        }
    }
    return false;
}

void DeviceNotifier::readUdev()
{
    while (udev_device *device = udev_monitor_receive_device(monitor)) {
        const char *action = udev_device_get_action(device);
        const char *subsystem = udev_device_get_subsystem(device);
        const bool added = action && std::strcmp(action, "add") == 0;
        const bool removed = action && std::strcmp(action, "remove") == 0;
        if (subsystem && std::strcmp(subsystem, "input") == 0) {
            if (added || removed)
                emit inputDeviceChanged(added && isJoystick(device));
        } else if (added)
            deliver(DBT_DEVICEARRIVAL);
        else if (removed)
            deliver(DBT_DEVICEREMOVECOMPLETE);
        udev_device_unref(device);
    }
}

void DeviceNotifier::watchSimDir()
{
    // The parent tells us when the directory itself comes or goes.
    const QString parent = QFileInfo(simDir).absolutePath();
    for (const QString &path : {parent, simDir})
        if (QFileInfo(path).isDir() && !simWatcher->directories().contains(path))
            simWatcher->addPath(path);
}

QSet<QString> DeviceNotifier::simCameraFiles() const
{
    QSet<QString> files;
    const QDir dir(simDir);
    for (const QFileInfo &file : dir.entryInfoList({"*.cam"}, QDir::Files | QDir::Hidden))
        files.insert(file.fileName());
    return files;
}

void DeviceNotifier::rescanSimDir()
{
    watchSimDir();
    const QSet<QString> now = simCameraFiles();
    const QSet<QString> gone = simFiles - now;
    const QSet<QString> came = now - simFiles;
    simFiles = now;
    for (int i = 0; i < gone.size(); ++i)
        deliver(DBT_DEVICEREMOVECOMPLETE);
    for (int i = 0; i < came.size(); ++i)
        deliver(DBT_DEVICEARRIVAL);
}

void DeviceNotifier::deliver(WPARAM event)
{
    static DEV_BROADCAST_DEVICEINTERFACE_W record = {sizeof(DEV_BROADCAST_DEVICEINTERFACE_W),
                                                     DBT_DEVTYP_DEVICEINTERFACE,
                                                     0,
                                                     GUID_DEVINTERFACE_USB_DEVICE,
                                                     {0}};
    // A recipient may unregister or close while it handles a message.
    const std::vector<Recipient> targets = recipients;
    for (const Recipient &target : targets) {
        QWidget *widget = QWidget::find(target.window);
        QWindow *window = widget ? widget->windowHandle() : nullptr;
        if (!window)
            continue;
        MSG message = {};
        message.hwnd = reinterpret_cast<HWND>(target.window);
        message.message = WM_DEVICECHANGE;
        message.wParam = event;
        message.lParam = reinterpret_cast<LPARAM>(&record);
        message.time = static_cast<DWORD>(QDateTime::currentMSecsSinceEpoch());
        long result = 0;
        QWindowSystemInterface::handleNativeEvent(window, "windows_generic_MSG", &message, &result);
    }
}
