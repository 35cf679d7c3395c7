// SPDX-License-Identifier: GPL-2.0-or-later
#include "Backend.h"
#include "CombinedBackend.h"
#include "Report.h"
#include "SimBackend.h"
#if defined(__linux__)
#include "OnvifBackend.h"
#include "V4l2Backend.h"
#include "ViscaBackend.h"
#endif

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace {

// Everything the library creates lives in this one object, so that at exit its parts end in
// a known order: the devices (and their cameras' threads) before the backends they use.
struct Library
{
    SimBackend sim;
#if defined(__linux__)
    V4l2Backend v4l2{systemV4l2Io()};
    ViscaBackend visca;
    OnvifBackend onvif;
    // The configured network cameras follow whichever cameras are attached.
    CombinedBackend withV4l2{{&v4l2, &visca, &onvif}};
    CombinedBackend withSim{{&sim, &visca, &onvif}};
    CombinedBackend viscaOnly{{&visca, &onvif}};
#else
    CombinedBackend withSim{{&sim}};
#endif
    std::mutex mutex;
    std::vector<std::unique_ptr<BaseDevice>> devices; // destroyed first
};

Library &library()
{
    static Library instance;
    return instance;
}

} // namespace

Backend *Backend::selected()
{
    Library &lib = library();
#if defined(__linux__)
    Backend *const available[] = {&lib.withV4l2, &lib.withSim, &lib.viscaOnly};
#else
    Backend *const available[] = {&lib.withSim};
#endif

    // Real cameras unless told otherwise.
    const char *env = std::getenv("CAMERACTRL_BACKEND");
    const std::string wanted = env && *env ? env : available[0]->name();
    std::string names;
    for (Backend *backend : available) {
        if (wanted == backend->name())
            return backend;
        names += names.empty() ? "" : ", ";
        names += backend->name();
    }

    reportOnce("unknown CAMERACTRL_BACKEND \"" + wanted + "\"; accepted values: " + names);
    return nullptr;
}

std::optional<int> Backend::indexOf(const char *text)
{
    if (!text || !*text)
        return std::nullopt;
    int number = -1;
    const char *end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, number);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return number;
}

BaseDevice *Backend::keep(std::unique_ptr<BaseDevice> device)
{
    Library &lib = library();
    const std::lock_guard<std::mutex> lock(lib.mutex);
    lib.devices.push_back(std::move(device));
    return lib.devices.back().get();
}
