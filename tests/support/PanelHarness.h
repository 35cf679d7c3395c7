// SPDX-License-Identifier: GPL-2.0-or-later
// The real MainWindow in-process with simulated cameras, a trace and a message-box catcher:
// the ground of every camera-link test.
#pragma once

#include "MainWindow.h"
#include "MessageBoxCatcher.h"
#include "SimCameras.h"
#include "TraceFile.h"

#include <QTimer>
#include <QVariant>
#include <initializer_list>
#include <memory>
#include <utility>

class PanelHarness
{
public:
    enum Cameras
    {
        BuiltInCamera,
        NoCamera
    };
    explicit PanelHarness(Cameras attached = BuiltInCamera);
    // Cameras are the `*.cam` files given (name -> contents), plugged in before start.
    explicit PanelHarness(std::initializer_list<std::pair<QString, QByteArray>> cameras);
    ~PanelHarness();

    // Builds the window and lets its start-up enumeration run; clears the trace.
    bool start();
    MainWindow &window() { return *panel; }
    QTimer *initTimer() const;
    // No enumeration waits, and no warning the catcher is to dismiss is still showing.
    bool settled() const
    {
        return !initTimer()->isActive() && (!boxes.dismiss || MessageBoxCatcher::open() == 0);
    }
    bool cameraPresent() const { return panel->property("cameraPresent").toBool(); }

    template <typename T> T *child(const char *name) const
    {
        return panel->findChild<T *>(QString::fromLatin1(name));
    }
    // Calls one of the window's slots by name.
    bool invoke(const char *slot, int argument);
    bool invoke(const char *slot);
    // Slides the image panel open or shut, as the fold key does.
    bool slide(bool open);
    // Delivers a device-change message as the platform layer would.
    bool deviceChange(unsigned long event = 0x8000);

    SimCameras cameras;
    TraceFile trace;
    MessageBoxCatcher boxes;

private:
    std::unique_ptr<MainWindow> panel;
};
