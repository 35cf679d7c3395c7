// SPDX-License-Identifier: GPL-2.0-or-later
// A program that uses a V4L2 camera through the library as the panel does and then simply
// returns from main: the library's objects must end in an order that touches nothing freed
// (run under the sanitizers, a slip aborts it). The camera is a fake the library's own V4L2
// backend finds in place of the kernel.
#include "FakeV4l2Io.h"
#include "V4l2Rig.h"

#include <cstdlib>
#include <thread>

int main()
{
    setenv("CAMERACTRL_BACKEND", "v4l2", 1);
    setenv("CAMERACTRL_REMEMBER", "0", 1);
    makePtzCamera(fakeSystemV4l2Io()->node("/dev/video0"), PtzKind::CurrentRelativeOnly);
    BaseDevice *device = BaseDevice::CreateDevice(DEVICE_USB);
    std::vector<DeviceInfo> cameras;
    BaseDevice::Initial();
    if (!device || !BaseDevice::EnumUSBDevices(cameras) || cameras.empty() || !device->Open("0", 1))
        return 1;
    device->ReadParameters();
    device->PanLeft(12);
    device->SetBrightness(5);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    device->MenuOff();
    return 0; // the camera stays open, moving: the library stops and closes it on the way out
}
