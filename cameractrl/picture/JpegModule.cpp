// SPDX-License-Identifier: GPL-2.0-or-later
#include "JpegModule.h"
#include "LibraryModule.h"

JpegCodec *JpegModule::codec(std::string &error)
{
    static LibraryModule module(FileName, JPEG_CODEC_ENTRY, "libjpeg");
    const auto entry = reinterpret_cast<JpegCodecEntry>(module.entry(error));
    if (!entry) {
        error = "pictures need " + error;
        return nullptr;
    }
    return entry();
}
