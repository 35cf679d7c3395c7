// SPDX-License-Identifier: GPL-2.0-or-later
// Linux side of RegisterDeviceNotificationW: watches udev for USB devices and video nodes
// arriving and leaving, and CAMERACTRL_SIM_DIR for simulated cameras, and hands each change
// to the registered windows as a Windows WM_DEVICECHANGE message. Input devices are watched
// too, for the game controllers.
#pragma once

#include "Win32Linux.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QFileSystemWatcher;
class QSocketNotifier;
struct udev;
struct udev_monitor;

class DeviceNotifier : public QObject
{
    Q_OBJECT

public:
    // The process's notifier, owned by the application object; nullptr when udev cannot be
    // opened (hot-plug is then unavailable).
    static DeviceNotifier *instance();
    ~DeviceNotifier() override;

    HDEVNOTIFY add(WId window);
    bool remove(HDEVNOTIFY handle);

    // Whether udev knows of a joystick or game controller now.
    static bool joystickAttached();

    // Lets tests take the path where udev is missing.
    static void setUdevBlockedForTesting(bool blocked);

signals:
    // An input device came or went; `joystick` when udev calls the one that came a joystick
    // or game controller. Not a camera matter: the windows are not told.
    void inputDeviceChanged(bool joystick);

private slots:
    void readUdev();
    void rescanSimDir();

private:
    DeviceNotifier(udev *context, udev_monitor *monitor);
    // Starts watching the directory CAMERACTRL_SIM_DIR names now, if it changed.
    void followSimDir();
    void watchSimDir();
    QSet<QString> simCameraFiles() const;
    void deliver(WPARAM event);

    udev *context;
    udev_monitor *monitor;
    QSocketNotifier *udevNotifier = nullptr;
    std::unique_ptr<QFileSystemWatcher> simWatcher;
    QString simDir;
    QSet<QString> simFiles;

    struct Recipient
    {
        quintptr handle;
        WId window;
    };
    std::vector<Recipient> recipients;
    quintptr nextHandle = 1;
};
