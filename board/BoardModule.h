// SPDX-License-Identifier: GPL-2.0-or-later
// Opens the board's module the first time the board is asked for (its key, the panel's
// menu, --board). A missing or broken module is said once; the panel runs on without it.
#pragma once

#include "Board.h"
#include "PrivateModule.h"

#include <memory>

class BoardModule
{
public:
    explicit BoardModule(RemotePanel &panel);
    ~BoardModule();

    // Shows the board at camera `camera`'s page ("" the window's); false when the module
    // cannot be had.
    bool open(const QString &camera = {});
    bool isShown() const { return board && board->isShown(); }

private:
    RemotePanel &panel;
    PrivateModule module;
    std::unique_ptr<Board> board;
};
