// SPDX-License-Identifier: GPL-2.0-or-later
// The cameras the panel drives besides the window's own: for each, by its name, a session on
// a device of its own (which the library keeps) and the target its commands go to.
#pragma once

#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class BaseDevice;
class CameraSession;
class CameraTarget;
class ShowEvents;

class CameraSessions
{
public:
    CameraSessions(std::function<QStringList()> names, ShowEvents &events);
    ~CameraSessions();

    // The target of camera `name`, its session made when first asked; nullptr when the
    // library cannot give another device.
    CameraTarget *of(const QString &name);
    // The session of camera `name`, nullptr while it has none.
    CameraSession *existing(const QString &name) const;
    // Keeps camera `name` open, so that how it answers is known while no command goes to it.
    void watch(const QString &name);
    void guardProgram(bool guard);
    // As a command line without a panel uses them: each camera's menu left as it is, no
    // frame line to show a tally, and `answerWaitMs` for a camera's first answer.
    void forCommandLine(int answerWaitMs);
    // Closes each camera once it has taken what it was sent (at most `waitMs`), leaving it
    // where it goes; the names of those that did not take it in time.
    QStringList finish(int waitMs);
    // The window now shows `name`: its own session lets the camera go, so that one device
    // drives it. A later request opens it again should the window leave it.
    void release(const QString &name);

private:
    struct Entry
    {
        BaseDevice *device = nullptr;
        std::unique_ptr<CameraSession> session;
        std::unique_ptr<CameraTarget> target;
    };
    std::function<QStringList()> names;
    ShowEvents &events;
    std::map<QString, Entry> sessions;
    bool guarding = false;
    bool commandLine = false;
    int answerWait = 0;
};
