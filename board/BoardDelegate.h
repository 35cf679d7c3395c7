// SPDX-License-Identifier: GPL-2.0-or-later
// Paints one tile of the board: the preset's picture (or why it has none, or an empty frame to
// store into), its number and name below; the live tile with the camera's latest frame.
#pragma once

#include <QSize>
#include <QStyledItemDelegate>

class BoardDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit BoardDelegate(QObject *parent = nullptr);

    // Pictures are shown at this size (16:9), tiles a little larger.
    void setPictureSize(const QSize &size) { picture = size; }
    QSize pictureSize() const { return picture; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int padding(const QStyleOptionViewItem &option) const;

    QSize picture{192, 108};
};
