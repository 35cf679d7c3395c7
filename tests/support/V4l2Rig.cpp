#include "V4l2Rig.h"

#include <QtTest>

void makePtzCamera(FakeNode &node, PtzKind kind, const std::string &serial)
{
    node.card = "PTZ Pro";
    node.bus = "usb-0000:00:14.0-2";
    node.usb = {true, "046d", "0853", serial, "1-2", true};
    FakeUvcCamera &camera = *node.camera;
    camera.addImageControls();
    camera.add(FakeUvcCamera::FocusAuto);
    switch (kind) {
    case PtzKind::Linux61RelativeAndAbsolute:
        camera.addPtz(true, false, true);
        break;
    case PtzKind::Linux61AbsoluteOnly:
        camera.addPtz(false, false, true);
        break;
    case PtzKind::CurrentRelativeOnly:
        camera.kernel = FakeUvcCamera::Kernel::Current;
        camera.addPtz(true, false, false);
        break;
    case PtzKind::CurrentRelativeAndAbsolute:
        camera.kernel = FakeUvcCamera::Kernel::Current;
        camera.addPtz(true, true, true);
        break;
    }
}

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
    if (!device->Open(std::to_string(index).c_str(), 1))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (!device->Capabilities() && clock.elapsed() < 10000)
        QTest::qWait(5);
    return device->ReadParameters();
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
