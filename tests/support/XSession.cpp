// SPDX-License-Identifier: GPL-2.0-or-later
#include "XSession.h"

#include <QElapsedTimer>
#include <QThread>

XSession::XSession(QSize screen, int dpi) : server(std::make_unique<QProcess>())
{
    // -displayfd picks a free display and writes its number to our stdout.
    server->setProcessChannelMode(QProcess::SeparateChannels);
    server->start("Xvfb", {"-displayfd", "1", "-screen", "0",
                           QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                           "-dpi", QString::number(dpi), "-nolisten", "tcp", "-noreset"});
    if (!server->waitForStarted(5000))
        return;
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains('\n') && clock.elapsed() < 10000 && server->state() == QProcess::Running) {
        server->waitForReadyRead(100);
        out += server->readAllStandardOutput();
    }
    if (out.contains('\n'))
        displayName = ":" + QString::fromLatin1(out.trimmed());
}

XSession::~XSession()
{
    if (server->state() != QProcess::NotRunning) {
        server->terminate();
        if (!server->waitForFinished(3000))
            server->kill();
        server->waitForFinished(1000);
    }
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", displayName);
    env.remove("QT_QPA_PLATFORM");
    env.remove("WAYLAND_DISPLAY");
    return env;
}

QString XSession::run(const QString &program, const QStringList &arguments, bool *ok,
                      int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    const bool finished = process.waitForStarted(5000) && process.waitForFinished(timeoutMs);
    if (!finished)
        process.kill();
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString XSession::xdotool(const QStringList &arguments, bool *ok) const
{
    return run("xdotool", arguments, ok);
}

QStringList XSession::windowsOf(qint64 pid, const QString &type) const
{
    QStringList found;
    const QString shown = xdotool({"search", "--onlyvisible", "--pid", QString::number(pid)});
    for (const QString &id : shown.split('\n', Qt::SkipEmptyParts))
        if (run("xprop", {"-id", id, "_NET_WM_WINDOW_TYPE"})
                .contains("_NET_WM_WINDOW_TYPE_" + type))
            found << id;
    return found;
}

PanelProcess::PanelProcess(const XSession &x, const QString &program,
                           const QProcessEnvironment &extra, const QStringList &arguments)
    : session(x), panel(std::make_unique<QProcess>())
{
    QProcessEnvironment env = session.environment();
    env.insert("XDG_CONFIG_HOME", config.path());
    for (const QString &key : extra.keys())
        env.insert(key, extra.value(key));
    panel->setProcessEnvironment(env);
    panel->setProcessChannelMode(QProcess::SeparateChannels);
    panel->start(program, arguments);
    panel->waitForStarted(5000);
}

QProcessEnvironment PanelProcess::simulatedCamera(const QString &tracePath)
{
    QProcessEnvironment env;
    env.insert("CAMERACTRL_BACKEND", "sim");
    if (!tracePath.isEmpty())
        env.insert("CAMERACTRL_TRACE", tracePath);
    return env;
}

PanelProcess::~PanelProcess()
{
    if (panel->state() != QProcess::NotRunning) {
        panel->kill();
        panel->waitForFinished(3000);
    }
}

qulonglong PanelProcess::waitForWindow(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && panel->state() == QProcess::Running) {
        bool ok = false;
        const QString found =
            session.xdotool({"search", "--onlyvisible", "--name", "^PTZ Panel$"}, &ok);
        if (ok && !found.isEmpty())
            return found.split('\n').first().toULongLong();
        QThread::msleep(50);
    }
    return 0;
}

int PanelProcess::waitForExit(int timeoutMs)
{
    if (!panel->waitForFinished(timeoutMs))
        return -1;
    return panel->exitStatus() == QProcess::NormalExit ? panel->exitCode() : -1;
}

QString PanelProcess::errorOutput()
{
    stderrText += panel->readAllStandardError();
    return QString::fromLocal8Bit(stderrText);
}
