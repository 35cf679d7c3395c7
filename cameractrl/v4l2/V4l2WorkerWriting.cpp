// SPDX-License-Identifier: GPL-2.0-or-later
// Sending what was asked: the jobs, control writes and motion, by speed or in steps.
#include "CameraStore.h"
#include "Report.h"
#include "V4l2Worker.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

using namespace V4l2Controls;

void V4l2Worker::runJob(Job &job)
{
    switch (job.kind) {
    case Job::Write:
        applyWrites(job);
        break;
    case Job::Later:
        job.writes = job.make(controls());
        if (job.writes.empty())
            reportOnce(camera.name + " (" + camera.node + ") offers no " + job.what);
        else
            applyWrites(job);
        break;
    case Job::ReadPosition:
        readPosition();
        break;
    case Job::StorePreset: {
        const V4l2ControlMap now = controls();
        PresetStore::Position position;
        bool any = false;
        if (readPosition())
            for (Axis axis : {Pan, Tilt, Zoom})
                if (readable(now, absoluteControl(axis))) {
                    position[axis] = this->position(axis);
                    any = any || position[axis].has_value();
                }
        std::string error;
        if (!any || !stores.presets)
            presetDone(job, false,
                       camera.name + " cannot tell its position: preset " +
                           std::to_string(job.preset) + " is not stored");
        else if (!stores.presets->store(camera.identity, job.preset, position, error))
            presetDone(job, false,
                       "preset " + std::to_string(job.preset) + " of " + camera.name +
                           " is not stored: " + error);
        else
            presetDone(job, true, {});
        break;
    }
    case Job::ClearPreset: {
        std::string error;
        if (stores.presets && !stores.presets->erase(camera.identity, job.preset, error))
            presetDone(job, false,
                       "preset " + std::to_string(job.preset) + " of " + camera.name +
                           " is not cleared: " + error);
        else
            presetDone(job, true, {});
        break;
    }
    }
}

void V4l2Worker::fillPanTilt(Writes &list)
{
    const uint32_t pan = absoluteControl(Pan), tilt = absoluteControl(Tilt);
    if (writes(list, pan) == writes(list, tilt))
        return;
    const V4l2ControlMap now = controls();
    const Axis other = writes(list, pan) ? Tilt : Pan;
    if (!writable(now, absoluteControl(other)))
        return;
    // Written alone, the driver would fill in the other half with where that axis is this
    // moment, stopping it short of where it was sent.
    if (!targets[other] && readable(now, absoluteControl(other)))
        readPosition();
    const int64_t value = targets[other]    ? *targets[other]
                          : position(other) ? *position(other)
                                            : now.at(absoluteControl(other)).defaultValue;
    list.emplace_back(absoluteControl(other), value);
}

void V4l2Worker::applyWrites(Job &job)
{
    // Asked for before the camera was read, a control it lacks is said now, and so is a
    // position beyond its range (the driver would clamp it: a move nobody asked for).
    Writes list;
    const V4l2ControlMap had = controls();
    for (const auto &w : job.writes) {
        const bool positional = w.first == absoluteControl(Pan) || w.first == absoluteControl(Tilt);
        if (!writable(had, w.first))
            reportOnce(camera.name + " (" + camera.node + ") offers no " + nameOf(w.first));
        else if (positional &&
                 (w.second < had.at(w.first).minimum || w.second > had.at(w.first).maximum))
            reportOnce(camera.name + " (" + camera.node + ") cannot reach " + nameOf(w.first) +
                       " " + std::to_string(toDegrees(w.second)) + "°");
        else
            list.push_back(w);
    }
    if (list.empty())
        return;
    fillPanTilt(list);
    // Events queued before this write (a flags change carries the value of its moment) are
    // older than it: taken now, they cannot overwrite it afterwards.
    drainEvents(&list);
    std::string refused;
    if (setControls(list, refused)) {
        uint32_t changes = 0;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            for (const auto &[id, value] : list) {
                auto found = known.find(id);
                if (found == known.end())
                    continue;
                // The camera's rounding or clamping is news to whoever set the value.
                if (isImage(id) && (!found->second.known || found->second.value != value))
                    changes |= CHANGED_PARAMETERS;
                found->second.value = value;
                found->second.known = true;
            }
        }
        for (const auto &[id, value] : list) {
            written.insert(id);
            for (Axis axis : {Pan, Tilt, Zoom})
                if (id == absoluteControl(axis))
                    targets[axis] = value;
            if (job.remember && stores.images && isImage(id)) {
                stores.images->put(camera.identity, nameOf(id), std::to_string(value));
                imagesDirty = true;
                imagesChanged = Clock::now();
            }
        }
        publish(changes);
        return;
    }
    if (errno == ENODEV)
        return;
    reportOnce(camera.name + " refused " + refused + ": " + std::strerror(errno));
    {
        const std::lock_guard<std::mutex> lock(mutex);
        this->refused = true;
    }
    // Show what the camera really has, not what it refused.
    std::vector<uint32_t> ids;
    const V4l2ControlMap now = controls();
    for (const auto &w : list)
        if (readable(now, w.first) && isImage(w.first))
            ids.push_back(w.first);
    getControls(ids);
    publish(CHANGED_PARAMETERS);
}

void V4l2Worker::sendMotion(const Motion &motion, bool panTiltAxes)
{
    const V4l2ControlMap now = controls();
    const std::vector<Axis> axes =
        panTiltAxes ? std::vector<Axis>{Pan, Tilt} : std::vector<Axis>{Zoom};
    const Drive drive = panTiltAxes ? panTilt : zoom;
    const bool starting =
        std::all_of(axes.begin(), axes.end(), [&](Axis a) { return sent.speed[a] == 0; });
    for (Axis axis : axes)
        sent.speed[axis] = motion.speed[axis];

    if (drive == Drive::Speed) {
        Writes list;
        for (Axis axis : axes)
            if (writable(now, speedControl(axis)))
                list.emplace_back(speedControl(axis),
                                  speedValue(now.at(speedControl(axis)), axis, motion.speed[axis]));
        std::string refused;
        if (!setControls(list, refused) && errno != ENODEV)
            reportOnce(camera.name + " refused " + refused + ": " + std::strerror(errno));
        for (Axis axis : axes)
            targets[axis].reset(); // wherever the motion ends
        return;
    }
    if (drive != Drive::Steps)
        return;
    if (starting) {
        bool unknown = false;
        for (Axis axis : axes)
            unknown = unknown || !targets[axis];
        if (unknown)
            readPosition();
        for (Axis axis : axes) {
            const auto found = now.find(absoluteControl(axis));
            if (found == now.end())
                continue;
            const auto at = targets[axis] ? targets[axis] : position(axis);
            stepAt[axis] = double(at ? *at : found->second.defaultValue);
        }
        lastStep = Clock::now() - StepInterval; // the first step goes at once
    }
    for (Axis axis : axes) {
        const auto found = now.find(absoluteControl(axis));
        stepRate[axis] = found == now.end()
                             ? 0
                             : V4l2Controls::stepRate(found->second, axis, motion.speed[axis]);
    }
}

void V4l2Worker::step()
{
    const Clock::time_point now = Clock::now();
    const double seconds = std::min(0.25, std::chrono::duration<double>(now - lastStep).count());
    lastStep = now;
    const V4l2ControlMap controls = this->controls();
    Writes list;
    const auto advance = [&](Axis axis) {
        const auto found = controls.find(absoluteControl(axis));
        if (found == controls.end() || !writable(controls, found->first))
            return;
        const V4l2Control &c = found->second;
        stepAt[axis] = std::clamp(stepAt[axis] + stepRate[axis] * seconds, double(c.minimum),
                                  double(c.maximum));
        list.emplace_back(found->first, std::llround(stepAt[axis]));
    };
    // Pan and tilt go together (one control to the camera), zoom on its own.
    if (stepRate[Pan] != 0 || stepRate[Tilt] != 0) {
        advance(Pan);
        advance(Tilt);
    }
    if (stepRate[Zoom] != 0)
        advance(Zoom);
    // At the end of its range an axis stays: nothing new to send.
    const bool moved = std::any_of(list.begin(), list.end(), [&](const auto &w) {
        for (Axis axis : {Pan, Tilt, Zoom})
            if (w.first == absoluteControl(axis))
                return targets[axis] != w.second;
        return true;
    });
    std::string refused;
    if (!moved)
        return;
    if (!setControls(list, refused)) {
        if (errno != ENODEV)
            reportOnce(camera.name + " refused " + refused + ": " + std::strerror(errno));
        std::fill(stepRate.begin(), stepRate.end(), 0.0);
        return;
    }
    for (const auto &[id, value] : list)
        for (Axis axis : {Pan, Tilt, Zoom})
            if (id == absoluteControl(axis))
                targets[axis] = value;
}
