#include "WindowDriver.h"
#include "PanelKeys.h"

#include <QSlider>
#include <QVariant>
#include <QWidget>

using namespace PanelKeys;

bool WindowDriver::cameraConnected() const
{
    return window.property("capabilities").toUInt() != 0;
}

void WindowDriver::drive(int key, int panSpeed, int tiltSpeed)
{
    QMetaObject::invokeMethod(&window, "DriveByKey", Q_ARG(int, key), Q_ARG(int, panSpeed),
                              Q_ARG(int, tiltSpeed));
}

void WindowDriver::zoom(int speed)
{
    if (speed == zooming)
        return;
    // Without a camera the lever would warn at every step: a pad or key is simply ignored.
    if (!cameraConnected()) {
        zooming = 0;
        return;
    }
    auto *lever = window.findChild<QSlider *>(QStringLiteral("Slider_Zoom"));
    lever->setValue(ZoomRest + speed); // its value change sends the zoom
    if (speed == 0)
        QMetaObject::invokeMethod(&window, "ZoomStop");
    zooming = speed;
}

void WindowDriver::recall(int preset)
{
    QMetaObject::invokeMethod(&window, "ChangePresetno", Q_ARG(int, preset));
    QMetaObject::invokeMethod(&window, "RWin_BT_Pressed", Q_ARG(int, RightRecall));
}

void WindowDriver::store(int preset)
{
    QMetaObject::invokeMethod(&window, "ChangePresetno", Q_ARG(int, preset));
    QMetaObject::invokeMethod(&window, "RWin_BT_Pressed", Q_ARG(int, RightStore));
}

void WindowDriver::home()
{
    QMetaObject::invokeMethod(&window, "LWin_BT_Pressed", Q_ARG(int, LeftHome));
}
