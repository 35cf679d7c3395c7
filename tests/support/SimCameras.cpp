#include "SimCameras.h"

#include <QFile>
#include <QSaveFile>

SimCameras::SimCameras()
{
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
