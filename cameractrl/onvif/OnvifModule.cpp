// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifModule.h"

#include <dlfcn.h>
#include <mutex>

OnvifWire *OnvifModule::wire(std::string &error)
{
    static std::mutex mutex;
    static OnvifWire *loaded = nullptr;
    static std::string failed;
    const std::lock_guard<std::mutex> lock(mutex);
    if (loaded || !failed.empty()) {
        error = failed;
        return loaded;
    }
    std::string dir;
    Dl_info self = {};
    if (dladdr(reinterpret_cast<void *>(&OnvifModule::wire), &self) && self.dli_fname) {
        dir = self.dli_fname;
        const auto slash = dir.rfind('/');
        dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
    }
    // Never unloaded: its threads' code and the objects it made live until the process ends.
    void *handle = dir.empty() ? nullptr : dlopen((dir + FileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        handle = dlopen(FileName, RTLD_NOW | RTLD_LOCAL);
    const auto entry =
        handle ? reinterpret_cast<OnvifWireEntry>(dlsym(handle, ONVIF_WIRE_ENTRY)) : nullptr;
    if (entry)
        loaded = entry();
    if (!loaded) {
        const char *why = dlerror();
        failed = std::string("ONVIF cameras need ") + FileName +
                 " (libcurl, expat): " + (why ? why : "it has no entry point");
    }
    error = failed;
    return loaded;
}
