// SPDX-License-Identifier: GPL-2.0-or-later
#include "BoardMenu.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

BoardMenu::BoardMenu(QWidget &panel, std::function<void()> open)
    : window(panel), openBoard(std::move(open))
{
    // Whatever control a right-click lands on leaves it to the window, unless it has a menu of
    // its own (the position fields).
    window.installEventFilter(this);
    auto *key = new QShortcut(QKeySequence(Key), &window);
    connect(key, &QShortcut::activated, this, [this] { openBoard(); });
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), &window);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QWidget *focus = window.focusWidget() ? window.focusWidget() : &window;
        showMenu(focus->mapToGlobal(focus->rect().center()));
    });
}

bool BoardMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &window || event->type() != QEvent::ContextMenu)
        return false;
    const auto *asked = static_cast<QContextMenuEvent *>(event);
    showMenu(asked->reason() == QContextMenuEvent::Mouse
                 ? asked->globalPos()
                 : window.mapToGlobal(window.rect().center()));
    return true;
}

void BoardMenu::showMenu(const QPoint &at)
{
    // Not exec(): nothing runs inside a call while the menu is open.
    auto *menu = new QMenu(&window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *board = menu->addAction(tr("Preset board…"));
    board->setShortcut(QKeySequence(Key));
    board->setToolTip(tr("Every camera's presets with their pictures, to recall and keep"));
    menu->setToolTipsVisible(true);
    connect(board, &QAction::triggered, this, [this] { openBoard(); });
    menu->popup(at);
}
