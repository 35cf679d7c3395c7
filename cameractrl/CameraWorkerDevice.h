// SPDX-License-Identifier: GPL-2.0-or-later
// What every device whose camera has its own worker keeps and does alike: the open camera's
// worker, and the one closed last, kept until the next camera is opened (the panel closes and
// opens the same camera again as it lists them: that one goes on where it was), and the
// operations that need nothing but the worker. The backend takes the workers let go.
#pragma once

#include "ChangeNotifier.h"
#include "WorkerDevice.h"

#include <chrono>
#include <memory>
#include <utility>

template <typename Backend, typename Worker> class CameraWorkerDevice : public WorkerDevice
{
public:
    explicit CameraWorkerDevice(Backend &owner) : backend(owner) {}
    ~CameraWorkerDevice() override
    {
        CameraWorkerDevice::Close();
        if (closed)
            backend.retire(std::move(closed));
    }

    bool Close() override
    {
        closePictures(); // before the worker it asks whether the camera moves
        if (worker) {
            worker->finish();
            if (closed)
                backend.retire(std::move(closed));
            closed = std::move(worker);
        }
        return true;
    }

    bool FocusStop() override
    {
        return worker != nullptr; // focus is never moved continuously
    }

    uint32_t Capabilities() override
    {
        const uint32_t offered = worker ? worker->capabilities() : 0;
        return offered ? offered | pictureCapabilities() : 0;
    }
    int32_t Health() override { return worker ? worker->health() : HEALTH_ANSWERING; }

    void SetChangeListener(ChangeListener listener, void *context) override
    {
        notifier->set(listener, context);
    }

    bool WaitUntilSent(int milliseconds) override
    {
        return worker && worker->waitUntilSent(std::chrono::milliseconds(milliseconds));
    }

    bool AskPosition() override
    {
        if (!worker || !(worker->capabilities() & CAP_POSITION))
            return false;
        // Asked, the camera is read again: its answer is where it is after what came before.
        worker->refreshPosition(std::chrono::milliseconds::zero(),
                                std::chrono::milliseconds::zero());
        return true;
    }

protected:
    // A position read as recently as this is told again without asking the camera.
    static constexpr auto PositionFreshness = std::chrono::milliseconds(100);

    void setSpeed(MotionAxis axis, int speed) override { worker->setSpeed(axis, speed); }

    // The open camera's pictures: `view` as the device knows it, kept under the `kind` of
    // camera and `key`; whether it moves is its worker's.
    void openPictures(const char *kind, const std::string &key, View view)
    {
        view.key = std::string(kind) + " " + key;
        Worker *const open = worker.get();
        view.moving = [open] { return open->moving(); };
        view.notifier = notifier;
        PictureDevice::openPictures(std::move(view));
    }

    Backend &backend;
    const std::shared_ptr<ChangeNotifier> notifier = std::make_shared<ChangeNotifier>();
    std::unique_ptr<Worker> worker;
    std::unique_ptr<Worker> closed; // until the next camera is opened
};
