// SPDX-License-Identifier: GPL-2.0-or-later
#include "FormBuilder.h"

#include <QSlider>
#include <QWidget>

namespace FormBuilder {

QFont arial(int pointSize, int weight)
{
    QFont font;
    font.setFamily(QString::fromUtf8("Arial"));
    if (pointSize > 0)
        font.setPointSize(pointSize);
    if (weight >= 0) {
        font.setBold(weight > QFont::Normal);
        font.setWeight(weight);
    }
    return font;
}

QFont inherited(const QFont &partial, const QWidget *panel)
{
    QFont complete = partial.resolve(panel->font());
    complete.resolve(QFont::AllPropertiesResolved); // fixed now, not resolved again later
    return complete;
}

QFrame *line(QWidget *parent, const char *name, const QRect &geometry, QFrame::Shape shape)
{
    auto *frame = create<QFrame>(parent, name, geometry);
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QSlider *horizontalSlider(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *slider = create<QSlider>(parent, name, geometry);
    slider->setOrientation(Qt::Horizontal);
    return slider;
}

void keepPresses(QWidget *panel)
{
    for (QWidget *child : panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QFrame *>(child))
            child->setAttribute(Qt::WA_NoMousePropagation);
}

} // namespace FormBuilder
