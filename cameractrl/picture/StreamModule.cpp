// SPDX-License-Identifier: GPL-2.0-or-later
#include "StreamModule.h"
#include "LibraryModule.h"

StreamWire *StreamModule::wire(std::string &error)
{
    static LibraryModule module(FileName, STREAM_WIRE_ENTRY, "GStreamer");
    const auto entry = reinterpret_cast<StreamWireEntry>(module.entry(error));
    if (!entry) {
        error = "pictures of a stream need " + error;
        return nullptr;
    }
    return entry();
}
