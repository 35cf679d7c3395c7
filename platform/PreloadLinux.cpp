// SPDX-License-Identifier: GPL-2.0-or-later
#include "Preload.h"

#include <QDBusConnection>
#include <QGuiApplication>

#include <fontconfig/fontconfig.h>

Preload::Preload(Job job)
{
    if (job == Fonts) {
        // Fontconfig keeps what it read for the whole process; Qt's own FcInit() finds it.
        worker = std::thread([] { FcInit(); });
        return;
    }
    // Only the desktop platforms bring the bridge; Qt's connection is shared by all threads.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        worker = std::thread([] { QDBusConnection::sessionBus(); });
}

Preload::~Preload()
{
    wait();
}

void Preload::wait()
{
    if (worker.joinable())
        worker.join();
}
