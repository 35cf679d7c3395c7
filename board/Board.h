// SPDX-License-Identifier: GPL-2.0-or-later
// The preset board as the program sees it: PresetBoard, in its own module, so that none of its
// code is in the process before the board is first opened (see BoardModule).
#pragma once

#include <QString>

class RemotePanel;

class Board
{
public:
    virtual ~Board() = default;

    // Shows the board, raised and with the keyboard, at camera `camera`'s page ("" the
    // window's camera).
    virtual void show(const QString &camera) = 0;
    virtual bool isShown() const = 0;
};

// The module's one entry point, looked up by name: the number changes with this interface
// and with RemotePanel.
extern "C" Board *ptz_create_board_1(RemotePanel &panel);
using CreateBoard = decltype(&ptz_create_board_1);
constexpr char BoardEntry[] = "ptz_create_board_1";
