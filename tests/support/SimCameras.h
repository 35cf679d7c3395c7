// SPDX-License-Identifier: GPL-2.0-or-later
// A temporary CAMERACTRL_SIM_DIR: each camera is a "*.cam" file, plugged in by writing it
// and unplugged by removing it.
#pragma once

#include <QString>
#include <QTemporaryDir>

class SimCameras
{
public:
    // Selects the simulated backend and points CAMERACTRL_SIM_DIR here (empty: nothing
    // plugged in).
    SimCameras();
    ~SimCameras(); // and unsets it

    QString dir() const { return root.path(); }
    void plug(const QString &fileName, const QByteArray &contents = {});
    void unplug(const QString &fileName);

private:
    QTemporaryDir root;
};
