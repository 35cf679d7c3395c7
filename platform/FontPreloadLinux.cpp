// SPDX-License-Identifier: GPL-2.0-or-later
#include "FontPreload.h"

#include <fontconfig/fontconfig.h>

// Fontconfig keeps what it read for the whole process; Qt's own FcInit() then finds it.
FontPreload::FontPreload() : reader([] { FcInit(); }) {}

FontPreload::~FontPreload()
{
    wait();
}

void FontPreload::wait()
{
    if (reader.joinable())
        reader.join();
}
