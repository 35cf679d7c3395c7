// SPDX-License-Identifier: GPL-2.0-or-later
#include "BoardView.h"
#include "BoardDelegate.h"
#include "BoardModel.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

BoardView::BoardView(BoardModel &presets, BoardDelegate &delegate, QWidget *parent)
    : QListView(parent), kept(presets), tiles(delegate)
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setItemDelegate(&tiles);
    setModel(&kept);
    updateGrid();
    connect(this, &QListView::clicked, this, &BoardView::askRecall);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &now) {
                if (now.isValid())
                    lastPreset = now.data(BoardModel::PresetRole).toInt();
            });
    // Read again, the presets keep the keyboard where it was (the view's own reset runs first).
    connect(&kept, &QAbstractItemModel::modelReset, this, [this] {
        QModelIndex again = kept.indexOf(lastPreset);
        if (!again.isValid())
            again = kept.index(kept.hasLive() ? 1 : 0); // the first preset, not the live view
        if (again.isValid())
            selectionModel()->setCurrentIndex(again, QItemSelectionModel::ClearAndSelect);
    });
}

int BoardView::currentPreset() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.data(BoardModel::PresetRole).toInt() : -1;
}

void BoardView::updateGrid()
{
    QStyleOptionViewItem option = viewOptions();
    const QSize tile = tiles.sizeHint(option, {});
    const int gap = std::max(4, fontMetrics().height() / 3);
    setSpacing(0);
    setGridSize(tile + QSize(gap, gap));
    kept.setPictureSize(tiles.pictureSize());
    kept.setColumns(std::max(1, viewport()->width() / gridSize().width()));
}

void BoardView::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    kept.setColumns(std::max(1, viewport()->width() / gridSize().width()));
}

void BoardView::askRecall(const QModelIndex &tile)
{
    if (tile.isValid() && tile.data(BoardModel::StoredRole).toBool())
        emit recallAsked(tile.data(BoardModel::PresetRole).toInt());
}

void BoardView::askMenu(const QModelIndex &tile, const QPoint &globalAt)
{
    if (!tile.isValid() || tile.data(BoardModel::LiveRole).toBool())
        return;
    emit menuAsked(tile.data(BoardModel::PresetRole).toInt(), globalAt);
}

void BoardView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const QPoint middle = viewport()->mapToGlobal(visualRect(current).center());
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        askRecall(current);
        return;
    case Qt::Key_F10:
        if (event->modifiers() == Qt::ShiftModifier) {
            askMenu(current, middle);
            return;
        }
        break;
    case Qt::Key_Escape:
        event->ignore(); // the board's window closes
        return;
    default:
        break;
    }
    QListView::keyPressEvent(event);
}

void BoardView::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex tile = indexAt(event->pos());
        if (tile.isValid())
            selectionModel()->setCurrentIndex(tile, QItemSelectionModel::ClearAndSelect);
        askMenu(tile, event->globalPos());
        return;
    }
    const QModelIndex current = currentIndex();
    askMenu(current, viewport()->mapToGlobal(visualRect(current).center()));
}
