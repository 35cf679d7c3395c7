// SPDX-License-Identifier: GPL-2.0-or-later
// A V4L2 backend over fake devices, with the device object the panel would hold, for the
// tests of the V4L2 backend. Cameras are built as the kernel driver presents them.
#pragma once

#include "FakeV4l2Io.h"
#include "V4l2Backend.h"

#include <QMetaType>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(PtzKind)

// Counts what the device's change listener is told, from any thread.
struct ChangeCounter
{
    std::atomic<int> calls{0};
    std::atomic<uint32_t> changes{0};
    static void note(void *context, uint32_t changed);
};

struct V4l2Rig
{
    std::shared_ptr<FakeV4l2Io> fake = std::make_shared<FakeV4l2Io>();
    std::unique_ptr<V4l2Backend> backend = std::make_unique<V4l2Backend>(fake);
    std::unique_ptr<BaseDevice> device = backend->createDevice();
    ChangeCounter listened;

    V4l2Rig() { device->SetChangeListener(&ChangeCounter::note, &listened); }
    FakeNode &node(const char *path) { return fake->node(path); }
    std::vector<DeviceInfo> enumerate();
    // Opens camera `index` and waits until it is read completely.
    bool open(int index = 0);
    bool readCompletely(); // the open camera, within 10 s
    // The camera's own values, read while no request runs.
    double pan(const char *path = "/dev/video0");
    double tilt(const char *path = "/dev/video0");
    double zoom(const char *path = "/dev/video0");
    int64_t value(uint32_t id, const char *path = "/dev/video0");
    std::vector<std::vector<std::pair<uint32_t, int32_t>>>
    commits(const char *path = "/dev/video0");
};
