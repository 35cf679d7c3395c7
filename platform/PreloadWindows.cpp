// SPDX-License-Identifier: GPL-2.0-or-later
#include "Preload.h"

Preload::Preload(Job) {}

Preload::~Preload() = default;

void Preload::wait() {}
