// SPDX-License-Identifier: GPL-2.0-or-later
#include "BoardDelegate.h"
#include "BoardModel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

BoardDelegate::BoardDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

int BoardDelegate::padding(const QStyleOptionViewItem &option) const
{
    return std::max(3, option.fontMetrics.height() / 4);
}

QSize BoardDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int pad = padding(option);
    return {picture.width() + 2 * pad, picture.height() + option.fontMetrics.height() + 3 * pad};
}

void BoardDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    const QPalette &colours = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const bool live = index.data(BoardModel::LiveRole).toBool();
    const bool stored = index.data(BoardModel::StoredRole).toBool();
    const int pad = padding(option);
    const QRect tile = option.rect.adjusted(1, 1, -1, -1);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->fillRect(tile, selected ? colours.highlight() : colours.base());

    const QRect box(tile.left() + (tile.width() - picture.width()) / 2, tile.top() + pad,
                    picture.width(), picture.height());
    const QImage image = index.data(BoardModel::PictureRole).value<QImage>();
    QString instead; // what the box says when it shows no picture
    if (!image.isNull()) {
        painter->fillRect(box, Qt::black);
        const QSize fitted = image.size().scaled(box.size(), Qt::KeepAspectRatio);
        const QRect at(box.left() + (box.width() - fitted.width()) / 2,
                       box.top() + (box.height() - fitted.height()) / 2, fitted.width(),
                       fitted.height());
        painter->drawImage(at, image);
    } else if (live) {
        painter->fillRect(box, colours.dark());
        instead = tr("Waiting for the camera's view…");
    } else if (stored) {
        painter->fillRect(box, colours.mid());
        const QString problem = index.data(BoardModel::ProblemRole).toString();
        instead = problem.isEmpty() ? tr("No picture") : tr("No picture: %1").arg(problem);
    } else {
        QPen dashed(colours.mid().color(), 1, Qt::DashLine);
        painter->setPen(dashed);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        instead = tr("Empty");
    }
    if (!instead.isEmpty()) {
        painter->setPen(stored || live ? colours.light().color() : colours.mid().color());
        const QRect text = box.adjusted(pad, pad, -pad, -pad);
        const QString fitting = option.fontMetrics.elidedText(
            instead, Qt::ElideRight,
            text.width() * std::max(1, text.height() / option.fontMetrics.height()));
        painter->drawText(text, Qt::AlignCenter | Qt::TextWordWrap, fitting);
    }

    // Below the picture: the number, bold, then the name.
    const QRect line(tile.left() + pad, box.bottom() + pad, tile.width() - 2 * pad,
                     option.fontMetrics.height());
    painter->setPen(selected ? colours.highlightedText().color() : colours.text().color());
    QFont bold = option.font;
    bold.setBold(true);
    const QString number =
        live ? tr("Live") : QString::number(index.data(BoardModel::PresetRole).toInt());
    painter->setFont(bold);
    const int numberWidth = QFontMetrics(bold).horizontalAdvance(number + QLatin1Char(' '));
    painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, number);
    painter->setFont(option.font);
    if (!live) {
        QString name = index.data(BoardModel::NameRole).toString();
        const int speed = index.data(BoardModel::SpeedRole).toInt();
        const QString speedText = speed ? tr("speed %1").arg(speed) : QString();
        QRect nameRect = line.adjusted(numberWidth, 0, 0, 0);
        if (!speedText.isEmpty()) {
            const int speedWidth = option.fontMetrics.horizontalAdvance(speedText);
            painter->drawText(nameRect, Qt::AlignRight | Qt::AlignVCenter, speedText);
            nameRect.adjust(0, 0, -(speedWidth + pad), 0);
        }
        painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(name, Qt::ElideRight, nameRect.width()));
    }
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = tile;
        focus.backgroundColor = selected ? colours.highlight().color() : colours.base().color();
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter,
                                             option.widget);
    }
    painter->restore();
}
