// SPDX-License-Identifier: GPL-2.0-or-later
// The picture operations of every device alike, over the open camera's PictureWorker: a
// device says at Open what its camera's view is (openPictures), and tells when a preset was
// stored or cleared. The worker of the camera closed last is kept until the next Open: the
// same camera opened again takes it back, with whatever it was still taking.
#pragma once

#include "BaseDevice.h"
#include "ChangeNotifier.h"
#include "PictureWorker.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class PictureDevice : public BaseDevice
{
public:
    ~PictureDevice() override;

    bool RetakePresetPicture(uint8_t preset) override;
    bool ReadPresetPicture(uint8_t preset, std::vector<uint8_t> *jpeg, uint32_t *version,
                           std::string *problem) override;
    bool WritePresetPicture(uint8_t preset, const std::vector<uint8_t> &jpeg) override;
    bool StartLiveView() override;
    bool StopLiveView() override;
    bool LiveFrame(std::vector<uint8_t> *jpeg, uint32_t *version) override;

protected:
    // What the open camera's pictures need.
    struct View
    {
        std::string key;  // where they are kept: the kind of camera, then its presets' key
        std::string name; // for messages
        // A source of its view, made on the caller's thread for each take or live view; null:
        // the camera gives no pictures.
        std::function<std::unique_ptr<ViewSource>()> source;
        // The live view's, when it has another (a stream beside a snapshot).
        std::function<std::unique_ptr<ViewSource>()> liveSource;
        // Whether it offers them now (null: whenever it has a source).
        std::function<bool()> offered;
        PictureWorker::Moving moving;
        std::shared_ptr<ChangeNotifier> notifier;
        bool live = true; // frames come fast enough for live view
    };
    void openPictures(View view);
    void closePictures();
    void presetStored(uint8_t preset);
    void presetCleared(uint8_t preset);
    // CAP_PICTURE and CAP_LIVE_VIEW as the open camera offers them.
    uint32_t pictureCapabilities() const;

private:
    PictureWorker &worker();

    View view;
    bool open = false;
    std::unique_ptr<PictureWorker> pictures;
    std::unique_ptr<PictureWorker> closed; // until the next Open
    std::vector<std::unique_ptr<PictureWorker>> retired;
};
