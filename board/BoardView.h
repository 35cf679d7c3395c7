// SPDX-License-Identifier: GPL-2.0-or-later
// One camera's page of the board: its presets as a grid of tiles. A click or Enter asks to
// recall a tile's preset; a right-click, the menu key or Shift+F10 asks for its menu. The
// arrow keys go from tile to tile, and the tile that had the keyboard keeps it when the
// presets are read again.
#pragma once

#include <QListView>

class BoardDelegate;
class BoardModel;

class BoardView : public QListView
{
    Q_OBJECT

public:
    BoardView(BoardModel &presets, BoardDelegate &tiles, QWidget *parent = nullptr);

    BoardModel &presets() const { return kept; }
    // The preset of the tile with the keyboard; -1 for none or the live tile.
    int currentPreset() const;
    // Tiles follow the delegate's size: after it changed.
    void updateGrid();

signals:
    void recallAsked(int preset);
    void menuAsked(int preset, const QPoint &globalAt);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void askMenu(const QModelIndex &tile, const QPoint &globalAt);
    void askRecall(const QModelIndex &tile);

    BoardModel &kept;
    BoardDelegate &tiles;
    int lastPreset = -2; // the tile with the keyboard, by preset, to find it after a reset
};
