// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraSessions.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "SessionCommands.h"
#include "ShowEvents.h"

#include <QSignalBlocker>

CameraSessions::CameraSessions(std::function<QStringList()> list, ShowEvents &hub)
    : names(std::move(list)), events(hub)
{}

CameraSessions::~CameraSessions()
{
    // Nothing a session started keeps moving once the panel is gone.
    for (auto &[name, entry] : sessions)
        if (entry.session->isOpen()) {
            entry.commands->stop();
            entry.session->disconnect();
        }
}

SessionCommands *CameraSessions::of(const QString &name)
{
    const auto found = sessions.find(name);
    if (found != sessions.end())
        return found->second.commands.get();
    // Each device has its own I/O thread, and lives as long as the library.
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    if (!device)
        return nullptr;
    Entry entry;
    entry.session = std::make_unique<CameraSession>(device);
    entry.commands = std::make_unique<SessionCommands>(*entry.session, name, names, events);
    entry.commands->guardProgram(guarding);
    events.follow(*entry.session, [name] { return name; });
    return sessions.emplace(name, std::move(entry)).first->second.commands.get();
}

void CameraSessions::release(const QString &name)
{
    const auto found = sessions.find(name);
    if (found == sessions.end() || !found->second.session->isOpen())
        return;
    // Still connected, through the window: nothing to tell.
    const QSignalBlocker quiet(found->second.session.get());
    found->second.session->disconnect();
}

void CameraSessions::guardProgram(bool guard)
{
    guarding = guard;
    for (auto &[name, entry] : sessions)
        entry.commands->guardProgram(guard);
}
