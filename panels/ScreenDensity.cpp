// SPDX-License-Identifier: GPL-2.0-or-later
#include "ScreenDensity.h"

#include <QGuiApplication>
#include <QScreen>

double firstScreenDensity()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return screens.isEmpty() ? 1.0 : screens.first()->logicalDotsPerInch() / 96.0;
}
