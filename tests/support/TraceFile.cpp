// SPDX-License-Identifier: GPL-2.0-or-later
#include "TraceFile.h"

#include <QFile>

#include <cmath>

TraceFile::TraceFile()
{
    qputenv("CAMERACTRL_TRACE", path().toLocal8Bit());
}

TraceFile::~TraceFile()
{
    qunsetenv("CAMERACTRL_TRACE");
}

QString TraceFile::path() const
{
    return dir.filePath("trace.log");
}

QStringList TraceFile::lines() const
{
    return read(path());
}

QStringList TraceFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList result = QString::fromUtf8(file.readAll()).split('\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

bool TraceFile::startedUp(const QString &path)
{
    return read(path).count(QStringLiteral("MenuOff")) >= 2;
}

QStringList TraceFile::peek() const
{
    return lines().mid(taken);
}

QStringList TraceFile::take()
{
    const QStringList all = lines();
    const QStringList fresh = all.mid(taken);
    taken = all.size();
    return fresh;
}

double TraceFile::timeOf(const QString &line)
{
    bool ok = false;
    const double at = line.section(' ', 0, 0).toDouble(&ok);
    return ok ? at : NAN;
}

QString TraceFile::callOf(const QString &line)
{
    return std::isnan(timeOf(line)) ? line : line.section(' ', 1);
}
