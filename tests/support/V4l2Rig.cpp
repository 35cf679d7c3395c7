// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2Rig.h"
#include "V4l2Device.h"

#include <QtTest>

void ChangeCounter::note(void *context, uint32_t changed)
{
    auto *counter = static_cast<ChangeCounter *>(context);
    counter->changes |= changed;
    ++counter->calls;
}

std::vector<DeviceInfo> V4l2Rig::enumerate()
{
    std::vector<DeviceInfo> devices;
    backend->enumerate(devices);
    return devices;
}

bool V4l2Rig::open(int index)
{
    enumerate();
    return device->Open(std::to_string(index).c_str(), 1) && readCompletely() &&
           device->ReadParameters();
}

bool V4l2Rig::readCompletely()
{
    return static_cast<V4l2Device &>(*device).WaitUntilRead(10000);
}

double V4l2Rig::pan(const char *path)
{
    return fake->with(path, [](FakeUvcCamera &c) { return c.pan(); });
}
double V4l2Rig::tilt(const char *path)
{
    return fake->with(path, [](FakeUvcCamera &c) { return c.tilt(); });
}
double V4l2Rig::zoom(const char *path)
{
    return fake->with(path, [](FakeUvcCamera &c) { return c.zoom(); });
}
int64_t V4l2Rig::value(uint32_t id, const char *path)
{
    return fake->with(path, [id](FakeUvcCamera &c) { return c.value(id); });
}
std::vector<std::vector<std::pair<uint32_t, int32_t>>> V4l2Rig::commits(const char *path)
{
    return fake->with(path, [](FakeUvcCamera &c) { return c.commits; });
}
