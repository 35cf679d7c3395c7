// SPDX-License-Identifier: GPL-2.0-or-later
// Network cameras that speak ONVIF, as the user configured them (see NetworkCameraFile.h):
// `NAME, onvif, HOST[, PORT[, USER]]`, the password in the credentials file. Listing them
// needs nothing but the file; the module with HTTP and XML is loaded when one is opened.
#pragma once

#include "CameraStore.h"
#include "NetworkCameraFile.h"
#include "OnvifWorker.h"
#include "PresetStore.h"
#include "Retirement.h"
#include "ScannedBackend.h"

#include <memory>

class OnvifBackend final : public ScannedBackend<NetworkCamera>
{
public:
    using Camera = NetworkCamera;
    const char *name() const override { return "onvif"; }
    std::unique_ptr<BaseDevice> createDevice() override;

    void retire(std::unique_ptr<OnvifWorker> worker);
    // The preset tokens of each camera, by the keypad's numbers.
    CameraStore &presetTokens() { return tokens; }
    // Names, speeds and places of the presets, which ONVIF does not keep.
    PresetStore &presets() { return presetStore; }

private:
    std::vector<Camera> scan() override;

    CameraStore tokens{"onvif-presets"};
    PresetStore presetStore{"onvif-preset-records"};
    Retirement<OnvifWorker> retired; // last: waited for before anything else goes
};
