// SPDX-License-Identifier: GPL-2.0-or-later
// Where a slider's handle is drawn, so tests can grab it as a user would.
#pragma once

#include <QRect>

class QSlider;

QRect sliderHandleRect(QSlider *slider);
