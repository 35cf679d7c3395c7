// SPDX-License-Identifier: GPL-2.0-or-later
// A part of the camera library kept in a module of its own (lib<Name>.so), because it links
// what most panels never need: it is opened on first use, from the directory of the library
// itself, else wherever the loader finds it, and never unloaded (its threads' code and the
// objects it made live until the process ends). A module that cannot be had is not tried
// again.
#pragma once

#include <mutex>
#include <string>

class LibraryModule
{
public:
    // `needs`: what the module links, for the message ("libcurl, expat").
    LibraryModule(const char *fileName, const char *entry, const char *needs);

    // The module's entry point; nullptr, with why, when it cannot be had.
    void *entry(std::string &error);
    // What the entry point gives; nullptr, with why after `lead`, when it cannot be had.
    template <typename Object> Object *object(const char *lead, std::string &error)
    {
        const auto made = reinterpret_cast<Object *(*)()>(entry(error));
        if (!made)
            error = lead + error;
        return made ? made() : nullptr;
    }

private:
    const char *const fileName;
    const char *const entryName;
    const char *const needs;
    std::mutex mutex;
    void *found = nullptr;
    std::string failed;
};
