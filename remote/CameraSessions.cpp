// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraSessions.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "CameraTarget.h"
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
            entry.target->stop();
            entry.session->disconnect();
        }
}

CameraTarget *CameraSessions::of(const QString &name)
{
    const auto found = sessions.find(name);
    if (found != sessions.end())
        return found->second.target.get();
    // Each device has its own I/O thread, and lives as long as the library.
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    if (!device)
        return nullptr;
    Entry entry;
    entry.device = device;
    entry.session = std::make_unique<CameraSession>(device);
    entry.target = std::make_unique<CameraTarget>(
        *entry.session, [name] { return name; }, events);
    entry.target->guardProgram(guarding);
    if (commandLine) {
        entry.target->setTallyShownElsewhere(false);
        entry.target->setAnswerWait(answerWait);
    }
    CameraSession &session = *entry.session;
    entry.target->setReopen([this, name, &session] {
        // The list may have changed since: the camera is found again by its name.
        const int index = int(names().indexOf(name));
        if (index < 0)
            return Outcome::failed(name + QStringLiteral(" is gone"));
        return session.connectTo(index, !commandLine)
                   ? Outcome{}
                   : Outcome::failed(name + QStringLiteral(" cannot be opened"));
    });
    events.follow(session, [name] { return name; });
    return sessions.emplace(name, std::move(entry)).first->second.target.get();
}

CameraSession *CameraSessions::existing(const QString &name) const
{
    const auto found = sessions.find(name);
    return found == sessions.end() ? nullptr : found->second.session.get();
}

void CameraSessions::watch(const QString &name)
{
    if (!of(name))
        return;
    CameraSession &session = *sessions.at(name).session;
    const int index = int(names().indexOf(name));
    // Watching is not acting: the camera's menu stays as it is.
    if (!session.isOpen() && index >= 0)
        session.connectTo(index, false);
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
        entry.target->guardProgram(guard);
}

void CameraSessions::forCommandLine(int answerWaitMs)
{
    commandLine = true;
    answerWait = answerWaitMs;
}

QStringList CameraSessions::finish(int waitMs)
{
    QStringList late;
    for (auto &[name, entry] : sessions) {
        if (!entry.session->isOpen())
            continue;
        if (!entry.device->WaitUntilSent(waitMs))
            late << name;
        entry.session->disconnect();
    }
    return late;
}
