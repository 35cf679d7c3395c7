// SPDX-License-Identifier: GPL-2.0-or-later
#include "WestonSession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

WestonSession::WestonSession() : weston(std::make_unique<QProcess>())
{
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("WAYLAND_DISPLAY");
    env.remove("DISPLAY");
    weston->setProcessEnvironment(env);
    weston->setProcessChannelMode(QProcess::MergedChannels);
    weston->start("weston", {"--backend=headless-backend.so", "--xwayland", "--socket=ptz-test",
                             "--idle-time=0"});
    if (!weston->waitForStarted(5000))
        return;
    // Weston says which X display its XWayland serves.
    const QRegularExpression listening("xserver listening on display (:\\d+)");
    QByteArray log;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000 && weston->state() == QProcess::Running) {
        weston->waitForReadyRead(100);
        log += weston->readAll();
        const auto match = listening.match(QString::fromLocal8Bit(log));
        if (match.hasMatch()) {
            xDisplay = match.captured(1);
            return;
        }
    }
}

WestonSession::~WestonSession()
{
    if (weston->state() != QProcess::NotRunning) {
        weston->terminate();
        if (!weston->waitForFinished(3000))
            weston->kill();
        weston->waitForFinished(1000);
    }
}

QProcessEnvironment WestonSession::environment(bool withX) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_SESSION_TYPE", "wayland");
    env.insert("WAYLAND_DISPLAY", "ptz-test");
    env.remove("QT_QPA_PLATFORM");
    if (withX)
        env.insert("DISPLAY", xDisplay);
    else
        env.remove("DISPLAY");
    return env;
}
