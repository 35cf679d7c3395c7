// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimCameras.h"

#include <QFile>
#include <QSaveFile>

SimCameras::SimCameras()
{
    // Simulated whatever the caller's environment says: outside CTest the default is V4L2.
    qputenv("CAMERACTRL_BACKEND", "sim");
    qputenv("CAMERACTRL_SIM_DIR", root.path().toLocal8Bit());
}

SimCameras::~SimCameras()
{
    qunsetenv("CAMERACTRL_SIM_DIR");
}

void SimCameras::plug(const QString &fileName, const QByteArray &contents)
{
    // Written aside and renamed, so a watcher never sees half a camera.
    QSaveFile file(root.filePath(fileName));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(contents);
        file.commit();
    }
}

void SimCameras::unplug(const QString &fileName)
{
    QFile::remove(root.filePath(fileName));
}
