// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifBackend.h"
#include "OnvifDevice.h"

std::vector<NetworkCamera> OnvifBackend::scan()
{
    std::vector<Camera> cameras;
    for (const NetworkCamera &entry : NetworkCameraFile::configured())
        if (entry.kind == NetworkCamera::Onvif)
            cameras.push_back(entry);
    return cameras;
}

std::unique_ptr<BaseDevice> OnvifBackend::createDevice()
{
    return std::make_unique<OnvifDevice>(*this);
}

void OnvifBackend::retire(std::unique_ptr<OnvifWorker> worker)
{
    retired.add(std::move(worker));
}
