// SPDX-License-Identifier: GPL-2.0-or-later
// In-process timings of two hot paths: a slider move reaching the device, and enumerating
// eight attached cameras (the library call alone, and the panel's whole refresh).
#include "MainWindow.h"
#include "SimCameras.h"

#include <QSlider>
#include <QtTest>

class bench_InProcess : public QObject
{
    Q_OBJECT

private slots:
    void sliderMoveReachesDevice();
    void enumerateEightCameras();
    void refreshPanelWithEightCameras();
};

void bench_InProcess::sliderMoveReachesDevice()
{
    qunsetenv("CAMERACTRL_SIM_DIR");
    MainWindow window;
    QTRY_VERIFY(window.property("cameraPresent").toBool() && !window.devices().empty());
    auto *slider = window.findChild<QSlider *>("Slider_Brightness");
    int value = 0;
    QBENCHMARK
    {
        emit slider->sliderMoved(value);
        value = (value + 1) % 256;
    }
}

void bench_InProcess::enumerateEightCameras()
{
    SimCameras cameras;
    for (int i = 0; i < 8; ++i)
        cameras.plug(QStringLiteral("cam%1.cam").arg(i),
                     "name=Camera\nbrightness=0,255,1,128,128,1\n");
    std::vector<DeviceInfo> devices;
    QBENCHMARK
    {
        BaseDevice::EnumUSBDevices(devices);
    }
    QCOMPARE(devices.size(), size_t(8));
}

void bench_InProcess::refreshPanelWithEightCameras()
{
    SimCameras cameras;
    for (int i = 0; i < 8; ++i)
        cameras.plug(QStringLiteral("cam%1.cam").arg(i), "name=Camera\n");
    MainWindow window;
    QTRY_VERIFY(!window.devices().empty());
    QTimer *initTimer =
        window.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly).first();
    QBENCHMARK
    {
        initTimer->start(500);
        QMetaObject::invokeMethod(&window, "TimerInit");
    }
    QCOMPARE(window.devices().size(), size_t(8));
}

QTEST_MAIN(bench_InProcess)
#include "bench_inprocess.moc"
