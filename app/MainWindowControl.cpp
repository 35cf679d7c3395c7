// SPDX-License-Identifier: GPL-2.0-or-later
// What the main window offers the inputs beside its panels: its camera selection and the
// selected camera's session, which they drive as the window's own controls do.
#include "CameraSelector.h"
#include "CameraSession.h"
#include "MainWindow.h"

#include <QComboBox>

QStringList MainWindow::cameraNames() const
{
    QStringList names;
    for (int i = 0; i < Box_Camera_USB->count(); ++i)
        names << Box_Camera_USB->itemText(i);
    return names;
}

int MainWindow::currentCamera() const
{
    return Box_Camera_USB->currentIndex();
}

void MainWindow::chooseCamera(int index)
{
    if (index != Box_Camera_USB->currentIndex())
        Box_Camera_USB->setCurrentIndex(index); // the selector's own signal connects it
}

bool MainWindow::isNetworkCamera(int index) const
{
    return index >= 0 && index < int(deviceList.size()) &&
           deviceList[size_t(index)].path.find("://") != std::string::npos;
}

void MainWindow::showHealth(int index, int state, const QDateTime &since)
{
    static_cast<CameraSelector *>(Box_Camera_USB)->setHealth(index, state, since);
}

CameraControl &MainWindow::camera()
{
    return *session;
}
