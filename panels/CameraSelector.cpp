// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraSelector.h"

#include <QEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

CameraSelector::CameraSelector(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentTextChanged, this, &CameraSelector::updateToolTip);
}

QString CameraSelector::shownText() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The style draws the label one pixel in from either side of the edit field.
    const int room =
        style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
            .width() -
        2;
    return fontMetrics().elidedText(currentText(), Qt::ElideRight, qMax(room, 0));
}

void CameraSelector::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void CameraSelector::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    updateToolTip();
}

void CameraSelector::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateToolTip();
}

void CameraSelector::updateToolTip()
{
    const QString whole = currentText();
    setToolTip(shownText() == whole ? QString() : whole);
}
