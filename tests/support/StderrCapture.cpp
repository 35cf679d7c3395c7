// SPDX-License-Identifier: GPL-2.0-or-later
#include "StderrCapture.h"

#include <cstdio>
#include <unistd.h>

StderrCapture::StderrCapture()
{
    if (!file.open())
        return;
    std::fflush(stderr);
    saved = dup(2);
    dup2(file.handle(), 2);
}

StderrCapture::~StderrCapture()
{
    if (saved < 0)
        return;
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
}

QString StderrCapture::text()
{
    std::fflush(stderr);
    QFile reader(file.fileName());
    reader.open(QIODevice::ReadOnly);
    return QString::fromLocal8Bit(reader.readAll());
}
