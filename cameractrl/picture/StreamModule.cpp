// SPDX-License-Identifier: GPL-2.0-or-later
#include "StreamModule.h"
#include "LibraryModule.h"

StreamWire *StreamModule::wire(std::string &error)
{
    // Never destroyed: pictures may be taken while the process exits.
    static auto *module = new LibraryModule(FileName, STREAM_WIRE_ENTRY, "GStreamer");
    return module->object<StreamWire>("pictures of a stream need ", error);
}
