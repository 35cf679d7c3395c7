// SPDX-License-Identifier: GPL-2.0-or-later
#include "ScreenDensity.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

double firstScreenDensity()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return screens.isEmpty() ? 1.0 : screens.first()->logicalDotsPerInch() / 96.0;
}

void scaleWidgets(const QObject &parent, double factor)
{
    // The child count is read afresh each step: resizing may create or drop children.
    for (int i = 0; i < parent.children().size(); ++i) {
        QObject *child = parent.children().at(i);
        if (!child || !child->isWidgetType())
            continue;
        auto *widget = static_cast<QWidget *>(child);
        widget->setGeometry(static_cast<int>(widget->x() * factor),
                            static_cast<int>(widget->y() * factor),
                            static_cast<int>(widget->width() * factor),
                            static_cast<int>(widget->height() * factor));
        scaleWidgets(*widget, factor);
    }
}
