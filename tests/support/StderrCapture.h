// SPDX-License-Identifier: GPL-2.0-or-later
// Captures what the process writes to stderr (file descriptor 2) while it lives.
#pragma once

#include <QString>
#include <QTemporaryFile>

class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();
    // Everything written so far.
    QString text();

private:
    QTemporaryFile file;
    int saved = -1;
};
