// SPDX-License-Identifier: GPL-2.0-or-later
#include "PictureRig.h"
#include "JpegModule.h"
#include "OnvifBackend.h"
#include "SimBackend.h"
#include "SimView.h"
#include "TraceDevice.h"
#include "ViscaBackend.h"

#include <QDeadlineTimer>

#include <cmath>
#include <thread>

namespace {

template <typename Done> bool waitUntil(Done done, int ms)
{
    for (QDeadlineTimer deadline(ms); !done();
         std::this_thread::sleep_for(std::chrono::milliseconds(5)))
        if (deadline.hasExpired())
            return false;
    return true;
}

} // namespace

std::string PictureRig::drawn(int at)
{
    std::vector<uint8_t> jpeg;
    std::string error;
    if (JpegCodec *codec = JpegModule::codec(error))
        codec->encode(SimView::draw(at * 300, at * 50, at * 150), 85, jpeg, error);
    return {jpeg.begin(), jpeg.end()};
}

PictureRig::PictureRig(Kind k, const std::string &credentials, const std::string &asked) : kind(k)
{
    http.change([this](OnvifEmulator::Behaviour &b) {
        b.snapshot = [this](double pan, double, double) {
            return drawn(kind == Onvif ? int(std::lround(pan * 10)) : place.load());
        };
    });
    // Each its own name: what was said of one camera is not what is said of another.
    static int cameras = 0;
    const std::string name = "Camera " + std::to_string(++cameras);
    std::string line = http.line(name);
    if (kind == Snapshot || kind == Stream) {
        visca = std::make_unique<ViscaEmulator>();
        line = visca->line(name, true) + ", \"" +
               (kind == Snapshot ? "snapshot=" + http.snapshotUrl(credentials)
                                 : "stream=" + rtspUrl(credentials, asked)) +
               "\"";
    }
    qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(line));
    if (kind == UsbMjpeg || kind == UsbYuyv) {
        usb = std::make_unique<V4l2Rig>();
        FakeNode &node = usb->node("/dev/video0");
        makePtzCamera(node, PtzKind::CurrentRelativeAndAbsolute);
        node.card = name;
        if (kind == UsbYuyv)
            node.camera->formats.erase(node.camera->formats.begin());
        device = usb->device.get();
    } else {
        if (kind == Sim)
            backend = std::make_unique<SimBackend>();
        else if (kind == Onvif)
            backend = std::make_unique<OnvifBackend>();
        else
            backend = std::make_unique<ViscaBackend>();
        owned = std::make_unique<TraceDevice>(backend->createDevice());
        device = owned.get();
    }
    device->SetChangeListener(&ChangeCounter::note, &listened);
}

PictureRig::~PictureRig()
{
    owned.reset();
    qunsetenv("CAMERACTRL_VISCA");
    rtsp.closeWriteChannel();
    rtsp.waitForFinished(3000);
}

std::string PictureRig::rtspUrl(const std::string &credentials, const std::string &asked)
{
    rtsp.start(PTZ_RTSP_SERVER,
               asked.empty() ? QStringList() : QStringList{"--user", asked.c_str()});
    rtsp.waitForReadyRead(10000);
    return "rtsp://" + (credentials.empty() ? "" : credentials + "@") +
           "127.0.0.1:" + rtsp.readLine().trimmed().toStdString() + "/view";
}

bool PictureRig::open()
{
    if (usb)
        return usb->open();
    std::vector<DeviceInfo> all;
    backend->enumerate(all);
    return device->Open("0", 1) &&
           waitUntil([this] { return device->Capabilities() & CAP_PRESETS; }, 5000);
}

void PictureRig::aim(int at)
{
    switch (kind) {
    case Sim:
        device->SetPanTiltPosition(at * 300, at * 50, 0, 0);
        break;
    case UsbMjpeg:
    case UsbYuyv:
        device->SetPanTiltPosition(at * 30, at * 5, 0, 0);
        waitUntil([&] { return std::lround(usb->pan() / 3600) == at * 30; }, 5000);
        break;
    case Onvif:
        device->SetPanPosition(at * 17);
        device->WaitUntilSent(3000);
        break;
    case Snapshot:
    case Stream:
        device->SetPanPosition(at * 400);
        if (kind == Stream) {
            rtsp.write(QByteArray("pattern ") + QByteArray::number(at % 2 ? 0 : 18) + "\n");
            rtsp.waitForBytesWritten(1000);
        }
        break;
    }
    place = at;
}

PictureRig::Shot PictureRig::picture(int preset)
{
    Shot shot;
    device->ReadPresetPicture(uint8_t(preset), &shot.jpeg, &shot.version, &shot.problem);
    return shot;
}

PictureRig::Shot PictureRig::store(int preset, bool again)
{
    listened.changes = 0;
    if (!(again ? device->RetakePresetPicture(uint8_t(preset))
                : device->SetPreset(uint8_t(preset))))
        return {};
    waitUntil([this] { return listened.changes & CHANGED_PICTURE; }, 15000);
    return picture(preset);
}
