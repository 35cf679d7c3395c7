// SPDX-License-Identifier: GPL-2.0-or-later
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QVariant>

#include <algorithm>

namespace Bench {

namespace {

QStringList tasks()
{
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace

double cpuSeconds(bool mainThread)
{
    const QString main = QString::number(QCoreApplication::applicationPid());
    double total = 0;
    for (const QString &task : tasks()) {
        if (!mainThread && task == main)
            continue;
        QFile stat("/proc/self/task/" + task + "/schedstat");
        if (stat.open(QIODevice::ReadOnly))
            total += stat.readAll().split(' ').value(0).toDouble() / 1e9;
    }
    return total;
}

double idleCpu(int ms, bool mainThread)
{
    const double before = cpuSeconds(mainThread);
    QElapsedTimer clock;
    clock.start();
    QEventLoop rest;
    QTimer::singleShot(ms, &rest, &QEventLoop::quit);
    rest.exec();
    return 100 * (cpuSeconds(mainThread) - before) / (clock.elapsed() / 1000.0);
}

long long wakeups()
{
    long long total = 0;
    for (const QString &task : tasks()) {
        QFile status("/proc/self/task/" + task + "/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.contains("ctxt_switches:"))
                total += line.split(':').value(1).trimmed().toLongLong();
    }
    return total;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

void waitForCamera(const QObject &window)
{
    QElapsedTimer clock;
    clock.start();
    while (!window.property("capabilities").toUInt() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace Bench
