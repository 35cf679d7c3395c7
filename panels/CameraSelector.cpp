// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraSelector.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLocale>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

constexpr int HealthRole = Qt::UserRole + 1;
constexpr int SinceRole = Qt::UserRole + 2;
constexpr int MarkGap = 3; // between the name and the mark

void paintMark(QPainter &painter, const QRect &box, int state)
{
    const QColor color = CameraSelector::healthColor(state);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF dot = QRectF(box).adjusted(0.75, 0.75, -0.75, -0.75);
    if (state == CameraSelector::NotAnswering) {
        painter.setPen(QPen(color, 1.5));
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
    }
    painter.drawEllipse(dot);
    painter.restore();
}

// The popup's entries: each with its mark at its right end, the name shortened to leave room.
class MarkedItems : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QVariant state = index.data(HealthRole);
        if (!state.isValid())
            return;
        const int size = option.fontMetrics.height() / 2;
        const QRect mark(option.rect.right() - size - MarkGap, option.rect.center().y() - size / 2,
                         size, size);
        paintMark(*painter, mark, state.toInt());
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(HealthRole).isValid())
            return;
        // The row's highlight stays whole; only the name gives way to the mark.
        const int room = option->rect.width() - option->fontMetrics.height() / 2 - 4 * MarkGap;
        option->text = option->fontMetrics.elidedText(option->text, Qt::ElideRight, room);
    }
};

} // namespace

CameraSelector::CameraSelector(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentTextChanged, this, &CameraSelector::updateToolTip);
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &CameraSelector::updateToolTip);
}

QColor CameraSelector::healthColor(int state)
{
    // The tally line's green and red.
    switch (state) {
    case Answering:
        return QColor(0, 200, 60);
    case Slow:
        return QColor(235, 165, 0);
    case NotAnswering:
    case Refused:
        return QColor(230, 20, 20);
    default:
        return QColor(0x68, 0xa3, 0xed); // the panel's blue
    }
}

QString CameraSelector::healthText(int state, const QDateTime &since)
{
    const QLocale locale;
    const QString when = since.date() == QDate::currentDate()
                             ? locale.toString(since.time(), QStringLiteral("HH:mm:ss"))
                             : locale.toString(since, QLocale::ShortFormat);
    switch (state) {
    case Answering:
        return tr("Answering since %1").arg(when);
    case Slow:
        return tr("Slow: answers take more than half a second, since %1").arg(when);
    case NotAnswering:
        return tr("Not answering since %1; the panel keeps trying").arg(when);
    case Refused:
        return tr("Refuses its user name or password since %1").arg(when);
    case Busy:
        return tr("Busy: another program holds it, since %1").arg(when);
    default:
        return QString();
    }
}

void CameraSelector::setHealth(int index, int state, const QDateTime &since)
{
    if (index < 0 || index >= count())
        return;
    const QString name = itemText(index);
    if (state < Answering || state > Busy) {
        setItemData(index, QVariant(), HealthRole);
        setItemData(index, QVariant(), SinceRole);
        setItemData(index, name, Qt::ToolTipRole);
        setItemData(index, QVariant(), Qt::AccessibleDescriptionRole);
    } else {
        const QString said = healthText(state, since);
        setItemData(index, state, HealthRole);
        setItemData(index, since, SinceRole);
        setItemData(index, name + '\n' + said, Qt::ToolTipRole);
        setItemData(index, said, Qt::AccessibleDescriptionRole);
    }
    if (index == currentIndex()) {
        updateToolTip();
        update();
    }
}

int CameraSelector::health(int index) const
{
    const QVariant state = itemData(index, HealthRole);
    return state.isValid() ? state.toInt() : NoMark;
}

QRect CameraSelector::markRect(const QRect &field) const
{
    const int size = fontMetrics().height() / 2;
    return QRect(field.right() - size, field.center().y() - size / 2 + 1, size, size);
}

QString CameraSelector::shownText() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The style draws the label one pixel in from either side of the edit field; a mark
    // takes its own room at the right.
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    int room = field.width() - 2;
    if (health(currentIndex()) != NoMark)
        room -= markRect(field).width() + MarkGap;
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
    const int state = health(currentIndex());
    if (state != NoMark)
        paintMark(painter,
                  markRect(style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, this)),
                  state);
}

void CameraSelector::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    updateToolTip();
}

void CameraSelector::showPopup()
{
    if (!marked) {
        marked = true;
        view()->setItemDelegate(new MarkedItems(view()));
    }
    QComboBox::showPopup();
}

void CameraSelector::changeEvent(QEvent *event)
{
    const bool look = event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
    // Qt makes the drop-down list (a window with a list view, its viewport, two scroll bars
    // and two scrollers) at the selector's first change of font or style, and the window then
    // styles it all before its first frame. Made when it first drops down, or when anything
    // else asks for it, the list takes the selector's font and style from there.
    if (look && !findChild<QAbstractItemView *>()) {
        QWidget::changeEvent(event);
        updateGeometry();
    } else {
        QComboBox::changeEvent(event);
    }
    if (look)
        updateToolTip();
}

void CameraSelector::updateToolTip()
{
    const QString whole = currentText();
    const int state = health(currentIndex());
    const QString said = state == NoMark
                             ? QString()
                             : healthText(state, itemData(currentIndex(), SinceRole).toDateTime());
    QStringList tip;
    if (shownText() != whole)
        tip << whole;
    if (!said.isEmpty())
        tip << said;
    setToolTip(tip.join('\n'));
    // The panel's own description of the selector stays; how the camera answers follows it.
    QString description = accessibleDescription();
    if (!describedHealth.isEmpty() && description.endsWith(describedHealth))
        description.chop(describedHealth.size());
    describedHealth = said.isEmpty() ? QString() : ' ' + said;
    setAccessibleDescription(description + describedHealth);
}
