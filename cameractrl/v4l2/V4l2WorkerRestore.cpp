// SPDX-License-Identifier: GPL-2.0-or-later
// Once the camera is read: the presets kept under an older identity, and the image settings
// given back and remembered.
#include "CameraStore.h"
#include "Numbers.h"
#include "Report.h"
#include "V4l2Worker.h"

#include <linux/videodev2.h>

#include <algorithm>

using namespace V4l2Controls;

void V4l2Worker::finishReading()
{
    std::string error;
    if (stores.presets && !camera.olderIdentity.empty() &&
        !stores.presets->adopt(camera.identity, camera.olderIdentity, error))
        reportOnce(error);

    // Cameras forget their image settings at power-off: give back what was last set here,
    // but never over what the user set since opening.
    Writes restore;
    if (stores.images) {
        const V4l2ControlMap now = controls();
        const auto saved = stores.images->all(camera.identity);
        bool automatic = false;
        for (uint32_t id : used()) {
            const auto value = saved.find(nameOf(id));
            const auto control = now.find(id);
            if (value == saved.end() || control == now.end() || !isImage(id) ||
                !writable(now, id) || written.count(id))
                continue;
            const std::optional<int64_t> number = Numbers::whole(value->second);
            if (!number)
                continue;
            const int64_t v = *number;
            if (id == V4L2_CID_AUTO_WHITE_BALANCE)
                automatic = v != 0;
            if (id == V4L2_CID_WHITE_BALANCE_TEMPERATURE && automatic)
                continue; // the camera chooses it
            if (!control->second.known || control->second.value != v)
                restore.emplace_back(id, v);
        }
    }
    {
        const std::lock_guard<std::mutex> lock(mutex);
        restore.erase(
            std::remove_if(restore.begin(), restore.end(),
                           [this](const auto &w) {
                               return std::any_of(jobs.begin(), jobs.end(), [&](const Job &job) {
                                   return job.kind == Job::Write && writes(job.writes, w.first);
                               });
                           }),
            restore.end());
    }
    if (!restore.empty())
        write(restore);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        read = true;
        for (Axis axis : {Pan, Tilt, Zoom}) {
            const auto found = known.find(absoluteControl(axis));
            if (found != known.end() && found->second.known)
                positions[axis] = targets[axis] = found->second.value;
        }
    }
    changed.notify_all();
    publish(CHANGED_PARAMETERS | CHANGED_CAPABILITIES | CHANGED_POSITION);
}

void V4l2Worker::saveImages(bool now)
{
    if (!imagesDirty || !stores.images)
        return;
    if (!now && Clock::now() - imagesChanged < ImageSaveDelay)
        return;
    // Said once: it is tried again with every change, and the panel works on without it.
    std::string error;
    if (!stores.images->save(error))
        reportOnce("image settings of " + camera.name + " are not remembered: " + error);
    imagesDirty = false;
}
