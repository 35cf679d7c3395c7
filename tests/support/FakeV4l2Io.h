// SPDX-License-Identifier: GPL-2.0-or-later
// Stand-in video nodes for the V4L2 backend's tests. Each capture node of a camera leads to
// a FakeUvcCamera, which answers the control ioctls as the driver does; every descriptor has
// its own event queue, so a second descriptor is another program using the camera. Thread-
// safe like the driver: one camera request at a time, the camera's latency included;
// capability queries and dequeuing events do not wait for it.
#pragma once

#include "FakeUvcCamera.h"
#include "V4l2Io.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct FakeNode
{
    uint32_t caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    std::string card = "Fake Camera";
    std::string bus = "usb-0000:00:14.0-1";
    int openError = 0;     // errno for open(), 0 to open
    bool vanished = false; // unplugged: every ioctl fails with ENODEV
    UsbCamera usb;
    std::shared_ptr<FakeUvcCamera> camera = std::make_shared<FakeUvcCamera>();
};

// How a camera's pan, tilt and zoom reach V4L2.
enum class PtzKind
{
    Linux61RelativeAndAbsolute, // lopsided relative speeds, no GET_CUR: stepped
    Linux61AbsoluteOnly,
    CurrentRelativeOnly,        // -max..max speeds, no GET_CUR
    CurrentRelativeAndAbsolute, // -max..max speeds with GET_CUR
};

// A PTZ camera with image controls, USB vendor, product and serial.
void makePtzCamera(FakeNode &node, PtzKind kind, const std::string &serial = "SER1");

class FakeV4l2Io final : public V4l2Io
{
public:
    FakeNode &node(const std::string &path);
    // Runs `inspect` on a node's camera while no request to it runs.
    template <typename F> auto with(const std::string &path, F inspect)
    {
        const std::shared_ptr<FakeUvcCamera> camera = node(path).camera;
        const std::lock_guard<std::recursive_mutex> lock(camera->lock);
        const auto result = inspect(*camera);
        signal(*camera);
        return result;
    }
    void unplug(const std::string &path);

    std::vector<std::string> nodes() override;
    int open(const std::string &path) override;
    void close(int fd) override;
    int ioctl(int fd, unsigned long request, void *argument) override;
    int wait(int fd, int wakeFd, int timeoutMs) override;
    UsbCamera usb(const std::string &path) override;
    void *map(int fd, size_t length, int64_t offset) override;
    void unmap(void *address, size_t length) override;
    int waitForFrame(int fd, int stopFd, int timeoutMs) override;

    int openDescriptors();
    int opens(); // descriptors opened so far

private:
    std::shared_ptr<FakeUvcCamera> cameraOf(int fd);

    struct Descriptor
    {
        std::string path;
        int events = -1; // an eventfd, readable while events wait
        bool subscribed = false;
    };
    // Refreshes the event flags of the camera's descriptors.
    void signal(const FakeUvcCamera &camera);

    // The nodes and descriptors; taken after a camera's lock, never before.
    std::recursive_mutex mutex;
    std::vector<std::pair<std::string, FakeNode>> devices; // in node order
    std::map<int, Descriptor> open_;
    int next = 100;
    int opened = 0;
};

// In test programs the library's own V4L2 backend gets this instead of the kernel: no real
// device is ever touched, and a test may plug fake cameras into it. In the library built
// over it for the real program (CameraCtrlFake), the environment plugs one:
//   PTZ_FAKE_UVC_MS    a PTZ camera at /dev/video0 taking this long per request
//   PTZ_FAKE_UVC_LOG   a file getting one line per request as it starts: "GET_DEF gamma",
//                      "SET_CUR pantilt-relative 01 0c 00 00"
//   PTZ_FAKE_UVC_HOLD  "SELECTOR:FILE": the first request for that control waits while FILE
//                      exists, holding the control lock as a camera that does not answer
std::shared_ptr<FakeV4l2Io> fakeSystemV4l2Io();
