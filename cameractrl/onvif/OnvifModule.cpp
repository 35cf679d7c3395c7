// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifModule.h"
#include "LibraryModule.h"

OnvifWire *OnvifModule::wire(std::string &error)
{
    static LibraryModule module(FileName, ONVIF_WIRE_ENTRY, "libcurl, expat");
    const auto entry = reinterpret_cast<OnvifWireEntry>(module.entry(error));
    if (!entry) {
        error = "ONVIF cameras need " + error;
        return nullptr;
    }
    return entry();
}
