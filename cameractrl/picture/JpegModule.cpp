// SPDX-License-Identifier: GPL-2.0-or-later
#include "JpegModule.h"
#include "LibraryModule.h"

JpegCodec *JpegModule::codec(std::string &error)
{
    // Never destroyed: pictures may be taken while the process exits.
    static auto *module = new LibraryModule(FileName, JPEG_CODEC_ENTRY, "libjpeg");
    return module->object<JpegCodec>("pictures need ", error);
}
