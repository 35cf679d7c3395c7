// SPDX-License-Identifier: GPL-2.0-or-later
// The density factor the forms are scaled by: the first screen's logical dots per inch over
// the 96 the forms are laid out for.
#pragma once

class QObject;

double firstScreenDensity();

// Scales the place and size of every widget under `parent`, however deep, by `factor`.
void scaleWidgets(const QObject &parent, double factor);
