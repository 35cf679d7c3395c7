// SPDX-License-Identifier: GPL-2.0-or-later
// What the network cameras' devices do alike over their workers: taking back the camera
// closed last when it is the one opened, waiting a moment for its first reading, what they
// say the camera cannot do, reading its pan and tilt, and the image settings and framing no
// network camera here offers. Each device sends its own protocol's requests.
#pragma once

#include "CameraWorkerDevice.h"
#include "HttpSnapshot.h"
#include "PresetStore.h"
#include "Report.h"
#include "StreamView.h"

#include <chrono>
#include <memory>
#include <string>
#include <utility>

template <typename Backend, typename Worker>
class NetworkDevice : public CameraWorkerDevice<Backend, Worker>
{
    using Base = CameraWorkerDevice<Backend, Worker>;

public:
    using Base::Base;

    bool Close() override
    {
        if (this->worker)
            closedPath = path;
        return Base::Close();
    }

    bool ReadParameters() override
    {
        if (!this->worker)
            return false;
        this->worker->copyRecords(this->parameters);
        return true;
    }

    bool GetPanPosition(int32_t *position) override { return readPosition(0, position); }
    bool GetTiltPosition(int32_t *position) override { return readPosition(1, position); }

    bool LastPosition(int32_t *pan, int32_t *tilt) override
    {
        if (!this->worker || !pan || !tilt)
            return false;
        const auto p = this->worker->position(0), t = this->worker->position(1);
        if (!p || !t)
            return false;
        *pan = *p;
        *tilt = *t;
        return true;
    }

    // What the panel keeps of a preset (name, speed, place), which the camera does not.
    bool ReadPreset(uint8_t preset, PresetRecord *record) override
    {
        if (!this->worker || !record)
            return false;
        *record = PresetStore::record(this->backend.presets().entry(name, preset));
        return true;
    }

    bool WritePreset(uint8_t preset, const PresetRecord *record) override
    {
        if (!this->worker || !record)
            return false;
        std::string error;
        if (this->backend.presets().put(name, preset, PresetStore::entryOf(*record), error))
            return true;
        report("preset " + std::to_string(int(preset)) + " of " + name + " is not kept: " + error);
        return false;
    }

    bool SetFlicker(int) override { return unsupported("anti-flicker setting"); }
    bool RestoreImageDefaults() override { return unsupported("image defaults"); }
    bool FramingAuto() override { return unsupported("automatic framing"); }
    bool FramingManual() override { return unsupported("automatic framing"); }

protected:
    static constexpr auto ReadWait = std::chrono::milliseconds(40);

    // The view its line gives a camera (snapshot=, stream=): presets' pictures from the
    // snapshot where there is one, live view from the stream where there is one.
    static PictureDevice::View configuredView(const std::string &snapshot,
                                              const std::string &stream)
    {
        PictureDevice::View view;
        const auto fromSnapshot = [snapshot] { return std::make_unique<HttpSnapshot>(snapshot); };
        const auto fromStream = [stream] { return std::make_unique<StreamView>(stream); };
        if (!snapshot.empty())
            view.source = fromSnapshot;
        else if (!stream.empty())
            view.source = fromStream;
        if (!snapshot.empty() && !stream.empty())
            view.liveSource = fromStream;
        return view;
    }

    // After Close(): takes back the camera closed last if it is `camera`, with one connection
    // and one reading; otherwise lets it go.
    bool reopened(const DeviceInfo &camera)
    {
        if (!this->closed)
            return false;
        if (closedPath == camera.path && this->closed->resume()) {
            name = camera.name;
            this->worker = std::move(this->closed);
            this->worker->waitUntilRead(ReadWait);
            return true;
        }
        this->backend.retire(std::move(this->closed));
        return false;
    }

    void opened(const DeviceInfo &camera, std::unique_ptr<Worker> started)
    {
        name = camera.name;
        path = camera.path;
        this->worker = std::move(started);
        this->worker->waitUntilRead(ReadWait);
    }

    bool unsupported(const std::string &what)
    {
        if (this->worker)
            reportOnce(name + " offers no " + what);
        return false;
    }

    bool lacks(uint32_t capability, const std::string &what) override
    {
        // Until the camera has answered, let it say itself what it cannot do; while it does
        // not answer, that has been said once already.
        if (!this->worker || !this->worker->reachable())
            return true;
        if (!this->worker->waitUntilRead(std::chrono::milliseconds(0)))
            return false;
        if (this->worker->capabilities() & capability)
            return false;
        unsupported(what);
        return true;
    }

    std::string name;

private:
    bool readPosition(int axis, int32_t *position)
    {
        if (!position || lacks(CAP_POSITION, "absolute position"))
            return false;
        // What a camera that stopped answering told last is no position: the caller may be
        // asking whether it is there at all.
        if (!this->worker->refreshPosition(Base::PositionFreshness, ReadWait))
            return false;
        const auto at = this->worker->position(axis);
        if (!at)
            return false;
        *position = *at;
        return true;
    }

    std::string path, closedPath; // the open camera's, the closed one's
};
