// SPDX-License-Identifier: GPL-2.0-or-later
#include "PictureDevice.h"
#include "PictureStore.h"
#include "Report.h"
#include "Thumbnail.h"

#include <algorithm>

PictureDevice::~PictureDevice()
{
    closePictures();
}

void PictureDevice::openPictures(View opened)
{
    view = std::move(opened);
    open = true;
    retired.erase(
        std::remove_if(retired.begin(), retired.end(), [](const auto &w) { return w->finished(); }),
        retired.end());
    if (closed && closed->key() == view.key && closed->resume(view.moving))
        pictures = std::move(closed);
    else if (closed)
        retired.push_back(std::move(closed));
}

void PictureDevice::closePictures()
{
    open = false;
    if (!pictures)
        return;
    pictures->finish();
    if (closed)
        retired.push_back(std::move(closed));
    closed = std::move(pictures);
}

PictureWorker &PictureDevice::worker()
{
    if (!pictures)
        pictures = std::make_unique<PictureWorker>(view.key, view.name, view.moving, view.notifier);
    return *pictures;
}

uint32_t PictureDevice::pictureCapabilities() const
{
    if (!open || !view.source || (view.offered && !view.offered()))
        return 0;
    return CAP_PICTURE | (view.live ? uint32_t(CAP_LIVE_VIEW) : 0u);
}

void PictureDevice::presetStored(uint8_t preset)
{
    if (pictureCapabilities() & CAP_PICTURE)
        worker().take(preset, view.source());
}

void PictureDevice::presetCleared(uint8_t preset)
{
    if (open)
        worker().drop(preset);
}

bool PictureDevice::RetakePresetPicture(uint8_t preset)
{
    if (!(pictureCapabilities() & CAP_PICTURE)) {
        if (open)
            reportOnce(view.name + " gives no pictures");
        return false;
    }
    worker().take(preset, view.source());
    return true;
}

bool PictureDevice::ReadPresetPicture(uint8_t preset, std::vector<uint8_t> *jpeg, uint32_t *version,
                                      std::string *problem)
{
    if (!open)
        return false;
    PictureStore::Kept kept = PictureStore::shared().read(view.key, preset, jpeg != nullptr);
    if (jpeg)
        *jpeg = std::move(kept.jpeg);
    if (version)
        *version = kept.version;
    if (problem)
        *problem = kept.problem;
    return true;
}

bool PictureDevice::WritePresetPicture(uint8_t preset, const std::vector<uint8_t> &jpeg)
{
    if (!open)
        return false;
    if (jpeg.empty()) {
        presetCleared(preset);
        return true;
    }
    std::vector<uint8_t> kept;
    std::string error;
    if (!Thumbnail::imported(jpeg, kept, error)) {
        report("the picture given for preset " + std::to_string(int(preset)) + " of " + view.name +
               " is not kept: " + error);
        return false;
    }
    if (PictureStore::shared().write(view.key, preset, kept, error))
        return true;
    report("the picture of preset " + std::to_string(int(preset)) + " of " + view.name +
           " is not kept: " + error);
    return false;
}

bool PictureDevice::StartLiveView()
{
    if (!(pictureCapabilities() & CAP_LIVE_VIEW)) {
        if (open)
            reportOnce(view.name + " gives no live view");
        return false;
    }
    worker().live(view.liveSource ? view.liveSource() : view.source());
    return true;
}

bool PictureDevice::StopLiveView()
{
    if (!open)
        return false;
    if (pictures)
        pictures->live(nullptr);
    return true;
}

bool PictureDevice::LiveFrame(std::vector<uint8_t> *jpeg, uint32_t *version)
{
    return open && pictures && pictures->liveFrame(jpeg, version);
}
