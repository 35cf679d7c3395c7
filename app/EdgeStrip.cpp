// SPDX-License-Identifier: GPL-2.0-or-later
#include "EdgeStrip.h"
#include "StyleSheets.h"

void EdgeStrip::showEvent(QShowEvent *event)
{
    if (styleSheet().isEmpty())
        setStyleSheet(StyleSheets::edgeStrip());
    QLabel::showEvent(event);
}
