// SPDX-License-Identifier: GPL-2.0-or-later
// One camera of each kind that takes pictures, for the tests and benchmarks of presets'
// pictures: the simulated camera, a USB camera on the V4L2 fake (MJPEG, or YUYV only), the
// ONVIF emulator with its own snapshot, and a VISCA emulator whose line names a snapshot URL
// (served by the ONVIF emulator) or an RTSP stream (tests/tools/rtspserver). The network
// cameras' scene is drawn from where the test last aimed them.
#pragma once

#include "OnvifEmulator.h"
#include "V4l2Rig.h"
#include "ViscaEmulator.h"

#include <QProcess>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class Backend;

struct PictureRig
{
    enum Kind
    {
        Sim,
        UsbMjpeg,
        UsbYuyv,
        Onvif,
        Snapshot,
        Stream
    };
    // `credentials` ("user:password") go into the snapshot's or stream's URL; the stream's
    // server asks for `asked`.
    explicit PictureRig(Kind kind, const std::string &credentials = {},
                        const std::string &asked = {});
    ~PictureRig();

    // Opens the camera and waits until it has been read.
    bool open();
    // Points the camera at a place, and waits until it is there.
    void aim(int place);

    struct Shot
    {
        std::vector<uint8_t> jpeg;
        uint32_t version = 0;
        std::string problem;
    };
    Shot picture(int preset);
    // Stores the preset (or takes its picture again) and waits until its picture, or why it
    // has none, is there; nothing when the device refused.
    Shot store(int preset, bool again = false);

    // The simulation's scene at a place, as a camera's JPEG.
    static std::string drawn(int place);

    const Kind kind;
    std::unique_ptr<V4l2Rig> usb;
    OnvifEmulator http; // the ONVIF camera, and any camera's snapshot URL
    std::unique_ptr<ViscaEmulator> visca;
    QProcess rtsp;
    std::unique_ptr<Backend> backend;
    std::unique_ptr<BaseDevice> owned; // traced
    BaseDevice *device = nullptr;
    ChangeCounter listened;
    std::atomic<int> place{0};

private:
    std::string rtspUrl(const std::string &credentials, const std::string &asked);
};
