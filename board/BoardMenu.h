// SPDX-License-Identifier: GPL-2.0-or-later
// The ways to the board from the panel that a user finds without the manual: a context menu
// on the window (right-click, the menu key or Shift+F10) whose entry names its key, Ctrl+B.
// It costs the panel's start nothing: the menu is made when it is first asked for.
#pragma once

#include <QObject>

#include <functional>

class QPoint;
class QWidget;

class BoardMenu : public QObject
{
    Q_OBJECT

public:
    BoardMenu(QWidget &window, std::function<void()> openBoard);

    static constexpr int Key = Qt::CTRL | Qt::Key_B;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMenu(const QPoint &at);

    QWidget &window;
    std::function<void()> openBoard;
};
