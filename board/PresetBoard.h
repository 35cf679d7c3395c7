// SPDX-License-Identifier: GPL-2.0-or-later
// The preset board: a window of its own (framed, resizable, not above others) with a page per
// camera, each a grid of its presets with their pictures. A click or Enter recalls a preset at
// its own speed; its menu stores the camera's position there, takes its picture again,
// renames it, sets its speed or clears it. A last page holds the shots and tours. Every one is a
// command through RemotePanel, as the command line's and HTTP's are: traced, told as events,
// guarded alike. The page shown has a live tile while its camera gives live view; nothing is
// watched while the board is shut. Built as its own module (see BoardModule): it sees the panel
// through RemotePanel alone.
#pragma once

#include "Board.h"
#include "BoardDelegate.h"
#include "Command.h"
#include "PictureDecoder.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <set>

class BoardView;
class QJsonObject;
class QLabel;
class ShowsPage;
class QTabWidget;

class PresetBoard : public QWidget, public Board
{
    Q_OBJECT

public:
    explicit PresetBoard(RemotePanel &panel);
    ~PresetBoard() override;

    void show(const QString &camera) override;
    bool isShown() const override { return isVisible(); }
    // The page of `camera` (its name), nullptr when there is none; the page shown.
    BoardView *page(const QString &camera) const;
    BoardView *currentPage() const;
    QString status() const;

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // One page per camera the panel lists now, in its order; pages of cameras gone go.
    void syncPages();
    BoardView *addPage(const QString &camera, int at);
    // The shots and tours, on a page after the cameras'.
    void syncShows();
    void follow(const QJsonObject &event);
    // Live view follows the page shown.
    void pageShown();
    void stopLive();
    void showMenu(BoardView &page, int preset, const QPoint &at);
    void recall(const QString &camera, int preset, std::function<void()> then = {});
    void storeHere(const QString &camera, int preset, bool stored, const QString &name);
    void retake(const QString &camera, int preset, int speed);
    void rename(const QString &camera, int preset, const QString &name);
    void clear(const QString &camera, int preset, const QString &name);
    // Runs `command` on `camera`; a refusal is said in the status line, and `then` follows
    // success. A move refused for a camera on program asks whether to move it anyway.
    void run(const QString &camera, Command command, std::function<void()> then = {});
    // As run(), for a command on camera `c.on` or on shots and tours; refusals are said
    // about `about`.
    void perform(Command c, const QString &about, std::function<void()> then);
    void ask(const QString &question, std::function<void()> yes);
    void say(const QString &text);
    void sizeTiles();

    RemotePanel &panel;
    PictureDecoder decoder;
    BoardDelegate delegate;
    QTabWidget *pages = nullptr;
    QLabel *statusLine = nullptr;
    QPointer<ShowsPage> shows;
    int eventSink = 0;
    int liveWatch = 0;
    QPointer<BoardView> watched;
    // Cameras that said they give no live view: no tile is kept for it on their page.
    std::set<QString> withoutLive;
    // A picture to take again once a preset's glide has arrived, per camera.
    std::map<QString, int> retakeOnArrival;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
