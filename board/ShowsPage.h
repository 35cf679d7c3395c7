// SPDX-License-Identifier: GPL-2.0-or-later
// The board's page of shots and tours. A shot is recalled by Enter or a click, defined and
// changed in a dialog (ShotDialog), deleted; a tour is started by Enter or a click and
// stopped the same way while it runs, and shows which step it is at. What it lists is read
// through RemotePanel; what it does goes through the board, which says refusals and asks
// before moving a camera on program.
#pragma once

#include "Command.h"

#include <QJsonObject>
#include <QWidget>

#include <functional>
#include <memory>

class QBoxLayout;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class RemotePanel;

class ShowsPage : public QWidget
{
    Q_OBJECT

public:
    // Carries out a command as the board's own, then `then` when it was done.
    using Perform = std::function<void(const Command &c, std::function<void()> then)>;
    using Ask = std::function<void(const QString &question, std::function<void()> yes)>;

    ShowsPage(RemotePanel &panel, Perform perform, Ask ask, QWidget *parent = nullptr);
    ~ShowsPage() override;

    // Reads the shots again; `choose` is the one to have the keyboard then.
    void reloadShots(const QString &choose = {});
    void reloadTours();

private:
    // A list under its caption `label` (its accelerator), added to `layout`.
    QListWidget *list(QBoxLayout *layout, const char *id, const QString &label, const QString &name,
                      const QString &description, int stretch);
    // Reads the shots (ListShots) or tours (ListTours) kept; none when that fails.
    void read(Command::Kind list, std::function<void(const QJsonArray &)> then);
    void listShots(const QJsonArray &shots, const QString &choose);
    void listTours(const QJsonArray &tours);
    void recall(QListWidgetItem *item);
    void toggle(QListWidgetItem *item);
    void defineShot(const QJsonObject &shot);
    void remove(Command::Kind kind, QListWidgetItem *item);
    void updateButtons();

    RemotePanel &panel;
    Perform perform;
    Ask ask;
    QListWidget *shots = nullptr;
    QListWidget *tours = nullptr;
    QPushButton *changeShot = nullptr;
    QPushButton *deleteShot = nullptr;
    QPushButton *startTour = nullptr;
    QPushButton *deleteTour = nullptr;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
