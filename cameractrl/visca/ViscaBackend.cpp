// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaBackend.h"
#include "Report.h"
#include "ViscaDevice.h"

ViscaBackend::Camera ViscaBackend::fromEntry(const NetworkCamera &entry)
{
    Camera camera;
    camera.info = entry.info;
    camera.transport = entry.kind == NetworkCamera::Tcp      ? ViscaLink::Tcp
                       : entry.kind == NetworkCamera::Serial ? ViscaLink::Serial
                                                             : ViscaLink::Udp;
    camera.host = entry.host;
    camera.port = entry.port;
    camera.snapshot = entry.snapshot;
    camera.stream = entry.stream;
    return camera;
}

std::vector<ViscaBackend::Camera> ViscaBackend::parse(const std::string &text,
                                                      const std::string &origin,
                                                      std::vector<std::string> *problems)
{
    std::vector<Camera> found;
    for (const NetworkCamera &entry : NetworkCameraFile::parse(text, origin, problems))
        if (entry.kind != NetworkCamera::Onvif)
            found.push_back(fromEntry(entry));
    return found;
}

std::vector<ViscaCamera> ViscaBackend::scan()
{
    std::vector<Camera> cameras;
    for (const NetworkCamera &entry : NetworkCameraFile::configured())
        if (entry.kind != NetworkCamera::Onvif)
            cameras.push_back(fromEntry(entry));
    return cameras;
}

std::unique_ptr<BaseDevice> ViscaBackend::createDevice()
{
    return std::make_unique<ViscaDevice>(*this);
}

void ViscaBackend::retire(std::unique_ptr<ViscaWorker> worker)
{
    retired.add(std::move(worker));
}
