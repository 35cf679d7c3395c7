// SPDX-License-Identifier: GPL-2.0-or-later
#include "LibraryModule.h"

#include <dlfcn.h>

namespace {

void anchor() {} // an address inside the camera library, to find where it lies

} // namespace

LibraryModule::LibraryModule(const char *file, const char *entry, const char *what)
    : fileName(file), entryName(entry), needs(what)
{}

void *LibraryModule::entry(std::string &error)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (found || !failed.empty()) {
        error = failed;
        return found;
    }
    std::string dir;
    Dl_info self = {};
    if (dladdr(reinterpret_cast<void *>(&anchor), &self) && self.dli_fname) {
        dir = self.dli_fname;
        const auto slash = dir.rfind('/');
        dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
    }
    void *handle = dir.empty() ? nullptr : dlopen((dir + fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    found = handle ? dlsym(handle, entryName) : nullptr;
    if (!found) {
        const char *why = dlerror();
        failed =
            std::string(fileName) + " (" + needs + "): " + (why ? why : "it has no entry point");
    }
    error = failed;
    return found;
}
