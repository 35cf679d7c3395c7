// SPDX-License-Identifier: GPL-2.0-or-later
// A temporary CAMERACTRL_TRACE file for in-process tests, read back line by line.
#pragma once

#include <QStringList>
#include <QTemporaryDir>

class TraceFile
{
public:
    TraceFile();  // points CAMERACTRL_TRACE here
    ~TraceFile(); // and unsets it

    QString path() const;
    QStringList lines() const;
    // The lines of any trace file, such as one a separate process writes.
    static QStringList read(const QString &path);
    // Start-up connects the first camera twice (as the selector lists it, then once more):
    // true once the trace at `path` shows both connections done.
    static bool startedUp(const QString &path);
    // Lines written since the last call of take() (or since creation); take() also marks
    // them as read.
    QStringList peek() const;
    QStringList take();
    // A line written with CAMERACTRL_TRACE_TIME: when (the monotonic clock's seconds, NaN
    // without a time), and the call itself.
    static double timeOf(const QString &line);
    static QString callOf(const QString &line);

private:
    QTemporaryDir dir;
    int taken = 0;
};
