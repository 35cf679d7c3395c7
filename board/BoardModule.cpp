// SPDX-License-Identifier: GPL-2.0-or-later
#include "BoardModule.h"

BoardModule::BoardModule(RemotePanel &panel)
    : panel(panel),
      module("ptz-board", BoardEntry, QStringLiteral("the preset board cannot be shown"))
{}

BoardModule::~BoardModule() = default;

bool BoardModule::open(const QString &camera)
{
    if (!board) {
        const auto create = reinterpret_cast<CreateBoard>(module.entry());
        if (!create)
            return false;
        board.reset(create(panel));
    }
    board->show(camera);
    return true;
}
