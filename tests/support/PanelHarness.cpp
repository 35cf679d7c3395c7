// SPDX-License-Identifier: GPL-2.0-or-later
#include "PanelHarness.h"
#include "Win32.h"

#include <QtTest>

PanelHarness::PanelHarness(Cameras attached)
{
    if (attached == BuiltInCamera)
        qunsetenv("CAMERACTRL_SIM_DIR");
}

PanelHarness::PanelHarness(std::initializer_list<std::pair<QString, QByteArray>> plugged)
{
    for (const auto &camera : plugged)
        cameras.plug(camera.first, camera.second);
}

PanelHarness::~PanelHarness() = default;

bool PanelHarness::start()
{
    panel = std::make_unique<MainWindow>();
    panel->show();
    if (!QTest::qWaitForWindowExposed(panel.get()))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (!settled() && clock.elapsed() < 5000)
        QTest::qWait(10);
    trace.take();
    return settled();
}

QTimer *PanelHarness::initTimer() const
{
    return panel->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly).value(0);
}

bool PanelHarness::invoke(const char *slot, int argument)
{
    return QMetaObject::invokeMethod(panel.get(), slot, Q_ARG(int, argument));
}

bool PanelHarness::invoke(const char *slot)
{
    return QMetaObject::invokeMethod(panel.get(), slot);
}

bool PanelHarness::slide(bool open)
{
    return QMetaObject::invokeMethod(panel.get(), "Tool_Show", Q_ARG(bool, open));
}

bool PanelHarness::deviceChange(unsigned long event)
{
    MSG message = {};
    message.hwnd = reinterpret_cast<HWND>(panel->winId());
    message.message = WM_DEVICECHANGE;
    message.wParam = event;
    long result = 0;
    bool handled = false;
    QMetaObject::invokeMethod(panel.get(), "nativeEvent", Q_RETURN_ARG(bool, handled),
                              Q_ARG(QByteArray, QByteArray("windows_generic_MSG")),
                              Q_ARG(void *, &message), Q_ARG(long *, &result));
    return handled;
}
