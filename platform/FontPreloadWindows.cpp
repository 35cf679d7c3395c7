// SPDX-License-Identifier: GPL-2.0-or-later
#include "FontPreload.h"

FontPreload::FontPreload() = default;

FontPreload::~FontPreload() = default;

void FontPreload::wait() {}
