// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifModule.h"
#include "LibraryModule.h"

OnvifWire *OnvifModule::wire(std::string &error)
{
    // Never destroyed: cameras' threads may load it while the process exits.
    static auto *module = new LibraryModule(FileName, ONVIF_WIRE_ENTRY, "libcurl, expat");
    return module->object<OnvifWire>("ONVIF cameras need ", error);
}
