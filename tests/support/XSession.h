// SPDX-License-Identifier: GPL-2.0-or-later
// A private X server (Xvfb) for tests of real windowing: the real program runs in it and
// is driven with real X input through xdotool.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class XSession
{
public:
    explicit XSession(QSize screen = QSize(1280, 800), int dpi = 96);
    ~XSession();

    bool isRunning() const { return !displayName.isEmpty(); }
    QString display() const { return displayName; }
    QProcessEnvironment environment() const;

    // Runs a command in the session; returns its standard output, trimmed. `ok` tells
    // whether it exited with 0 in time.
    QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr,
                int timeoutMs = 10000) const;
    QString xdotool(const QStringList &arguments, bool *ok = nullptr) const;
    // The shown windows of the process `pid` whose _NET_WM_WINDOW_TYPE names `type`
    // (DIALOG, TOOLTIP…).
    QStringList windowsOf(qint64 pid, const QString &type) const;

private:
    std::unique_ptr<QProcess> server;
    QString displayName;
};

// The real ptz-panel started inside an XSession.
class PanelProcess
{
public:
    // Without XDG_CONFIG_HOME in `extra`, the panel starts as on its first run, in a
    // configuration directory of its own.
    PanelProcess(const XSession &session, const QString &program,
                 const QProcessEnvironment &extra = {}, const QStringList &arguments = {});

    // What to add for a run with the simulated camera, traced to `tracePath` if given.
    static QProcessEnvironment simulatedCamera(const QString &tracePath = {});
    ~PanelProcess();

    // Waits until the main window is mapped; returns its X window id, or 0.
    qulonglong waitForWindow(int timeoutMs = 10000);
    // Waits for the program to end on its own; returns its exit code, or -1.
    int waitForExit(int timeoutMs = 10000);
    QProcess &process() { return *panel; }
    QString errorOutput();

private:
    const XSession &session;
    QTemporaryDir config;
    std::unique_ptr<QProcess> panel;
    QByteArray stderrText;
};
