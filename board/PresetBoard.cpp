// SPDX-License-Identifier: GPL-2.0-or-later
#include "PresetBoard.h"
#include "BoardModel.h"
#include "BoardView.h"
#include "RemotePanel.h"
#include "ShowsPage.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

PresetBoard::PresetBoard(RemotePanel &commands) : panel(commands)
{
    setWindowTitle(tr("Preset board – PTZ Panel"));
    // Shutting the board never ends the panel, whichever window was last.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *layout = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setTabBarAutoHide(true);
    pages->setDocumentMode(true);
    pages->setAccessibleName(tr("Cameras"));
    layout->addWidget(pages, 1);
    statusLine = new QLabel(this);
    statusLine->setWordWrap(true);
    statusLine->setAccessibleName(tr("Status"));
    statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(statusLine);
    connect(pages, &QTabWidget::currentChanged, this, &PresetBoard::pageShown);
    // Shots and tours defined elsewhere since the board opened show when their page is
    // looked at.
    connect(pages, &QTabWidget::currentChanged, this, [this] {
        if (shows && pages->currentWidget() == shows)
            syncShows();
    });
    sizeTiles();
}

PresetBoard::~PresetBoard()
{
    stopLive();
    if (eventSink)
        panel.removeEventSink(eventSink);
}

void PresetBoard::sizeTiles()
{
    // Pictures a dozen lines of text wide, in the shape most cameras give.
    const int width = fontMetrics().height() * 12;
    delegate.setPictureSize({width, width * 9 / 16});
}

BoardView *PresetBoard::page(const QString &camera) const
{
    for (int i = 0; i < pages->count(); ++i)
        if (auto *view = qobject_cast<BoardView *>(pages->widget(i));
            view && view->presets().camera() == camera)
            return view;
    return nullptr;
}

BoardView *PresetBoard::currentPage() const
{
    return qobject_cast<BoardView *>(pages->currentWidget());
}

QString PresetBoard::status() const
{
    return statusLine->text();
}

void PresetBoard::show(const QString &camera)
{
    const bool opening = !isVisible();
    if (opening) {
        eventSink = panel.addEventSink([this](const QJsonObject &event) { follow(event); });
        syncPages();
        say(tr("Click a preset to recall it at its own speed; right-click it, or press the "
               "menu key or Shift+F10, for more."));
        if (!testAttribute(Qt::WA_Resized)) {
            const QSize grid = currentPage() ? currentPage()->gridSize() : QSize(220, 160);
            QSize wanted(grid.width() * 4 + 48, grid.height() * 4 + 72);
            if (const QScreen *screen = QGuiApplication::primaryScreen())
                wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
            resize(wanted);
        }
    }
    const QString name = panel.nameOf(camera);
    if (BoardView *wanted = page(name))
        pages->setCurrentWidget(wanted);
    QWidget::show();
    if (opening)
        syncShows();
    raise();
    activateWindow();
    pageShown();
    if (BoardView *shown = currentPage())
        shown->setFocus(Qt::OtherFocusReason);
}

void PresetBoard::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return; // minimised: still open
    stopLive();
    if (eventSink)
        panel.removeEventSink(eventSink);
    eventSink = 0;
    retakeOnArrival.clear();
    // What a shut board showed is read afresh when it opens again; its pictures go now.
    while (pages->count()) {
        QWidget *gone = pages->widget(0);
        pages->removeTab(0);
        delete gone;
    }
}

void PresetBoard::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PresetBoard::syncPages()
{
    QStringList cameras;
    for (const QJsonValue camera : panel.cameras())
        cameras << camera.toObject().value("name").toString();
    for (int i = pages->count() - 1; i >= 0; --i) {
        auto *view = qobject_cast<BoardView *>(pages->widget(i));
        if (view && !cameras.contains(view->presets().camera())) {
            if (view == watched)
                stopLive();
            pages->removeTab(i);
            delete view;
        }
    }
    bool none = true;
    for (int i = 0; i < pages->count(); ++i)
        none = none && pages->widget(i) == shows;
    for (int i = 0; i < cameras.size(); ++i)
        if (!page(cameras[i]))
            addPage(cameras[i], i);
    // The first camera to come shows, not the shots a board opened without one showed.
    if (none && pages->count() > 0 && pages->widget(0) != shows)
        pages->setCurrentIndex(0);
    if (pages->count() == 0)
        say(tr("No camera is attached."));
}

BoardView *PresetBoard::addPage(const QString &camera, int at)
{
    auto *model = new BoardModel(panel, camera, decoder, this);
    auto *view = new BoardView(*model, delegate);
    model->setParent(view);
    view->setAccessibleName(tr("Presets of %1").arg(camera));
    view->setAccessibleDescription(tr("The arrow keys choose a preset, Enter recalls it, the "
                                      "menu key or Shift+F10 offers the rest."));
    connect(view, &BoardView::recallAsked, this,
            [this, camera](int preset) { recall(camera, preset); });
    connect(view, &BoardView::menuAsked, this,
            [this, view](int preset, const QPoint &where) { showMenu(*view, preset, where); });
    connect(model, &BoardModel::failed, this,
            [this, camera](const QString &why) { say(tr("%1: %2").arg(camera, why)); });
    pages->insertTab(std::min(at, pages->count()), view, camera);
    model->reload();
    return view;
}

void PresetBoard::syncShows()
{
    if (!shows) {
        shows = new ShowsPage(
            panel,
            [this](const Command &c, std::function<void()> then) {
                perform(c, c.name, std::move(then));
            },
            [this](const QString &question, std::function<void()> yes) {
                ask(question, std::move(yes));
            });
        shows->setAccessibleName(tr("Shots and tours"));
        pages->addTab(shows, tr("Shots and tours"));
    }
    shows->reloadShots();
    shows->reloadTours();
}

void PresetBoard::follow(const QJsonObject &event)
{
    const QString type = event.value("type").toString();
    const QString camera = event.value("camera").toString();
    if (type == "tour") {
        if (shows)
            shows->reloadTours();
        return;
    }
    if (type == "connected" || type == "disconnected") {
        syncPages();
        if (type == "connected")
            if (BoardView *view = page(camera)) {
                view->presets().reload();
                if (view == currentPage() && !view->presets().hasLive())
                    pageShown();
            }
        return;
    }
    BoardView *view = page(camera);
    if (!view)
        return;
    const int preset = event.value("preset").toInt(-1);
    if (type == "picture") {
        view->presets().reloadPicture(preset);
    } else if (type == "preset") {
        const QString action = event.value("action").toString();
        if (action != "recalled" && action != "arrived")
            view->presets().reload();
        const auto waiting = retakeOnArrival.find(camera);
        if (action == "arrived" && waiting != retakeOnArrival.end() && waiting->second == preset) {
            retakeOnArrival.erase(waiting);
            Command c;
            c.kind = Command::RetakePicture;
            c.number = preset;
            run(camera, c);
        }
    }
}

void PresetBoard::pageShown()
{
    BoardView *shown = currentPage();
    if (shown == watched && liveWatch)
        return;
    stopLive();
    if (!shown || !isVisible())
        return;
    watched = shown;
    // Its place is kept from the start, not when the camera answers: tiles that moved along
    // under a click would recall the neighbour of the preset clicked.
    const QString camera = shown->presets().camera();
    if (!withoutLive.count(camera))
        shown->presets().setLive(true);
    const QPointer<BoardView> view = shown;
    const std::weak_ptr<bool> board = alive;
    liveWatch = panel.watchLiveView(
        camera,
        [view](const QByteArray &jpeg) {
            if (view)
                view->presets().showFrame(jpeg);
        },
        [this, board, view, camera](const Outcome &started) {
            if (board.expired())
                return;
            if (started.cause == Outcome::Unsupported)
                withoutLive.insert(camera);
            if (!view)
                return;
            view->presets().setLive(!started.exitCode);
            // A camera that has no live view simply shows none; one that is away says so.
            if (started.exitCode && started.cause != Outcome::Unsupported)
                say(tr("%1: %2").arg(view->presets().camera(), started.error));
        });
}

void PresetBoard::stopLive()
{
    if (liveWatch)
        panel.stopWatching(liveWatch);
    liveWatch = 0;
    if (watched)
        watched->presets().setLive(false);
    watched = nullptr;
}

void PresetBoard::showMenu(BoardView &view, int preset, const QPoint &at)
{
    const QModelIndex tile = view.presets().indexOf(preset);
    const bool stored = tile.data(BoardModel::StoredRole).toBool();
    const QString name = tile.data(BoardModel::NameRole).toString();
    const int speed = tile.data(BoardModel::SpeedRole).toInt();
    const QString camera = view.presets().camera();
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(tile.data(Qt::AccessibleTextRole).toString());
    if (stored) {
        QAction *go = menu->addAction(tr("Recall"), this, [=] { recall(camera, preset); });
        menu->setDefaultAction(go);
    }
    menu->addAction(tr("Store here"), this, [=] { storeHere(camera, preset, stored, name); });
    menu->addAction(tr("Retake picture"), this, [=] { retake(camera, preset, speed); })
        ->setEnabled(stored);
    menu->addAction(tr("Rename…"), this, [=] { rename(camera, preset, name); });
    QMenu *speeds = menu->addMenu(tr("Speed"));
    speeds->setEnabled(stored);
    auto *group = new QActionGroup(speeds);
    for (int s = 0; s <= Command::FastestPresetSpeed; ++s) {
        const QString label = s == 0                             ? tr("As the camera recalls it")
                              : s == 1                           ? tr("1 (slowest)")
                              : s == Command::FastestPresetSpeed ? tr("%1 (fastest)").arg(s)
                                                                 : QString::number(s);
        QAction *choice = speeds->addAction(label, this, [=] {
            Command c;
            c.kind = Command::PresetSpeed;
            c.number = preset;
            c.speed = s;
            run(camera, c);
        });
        choice->setCheckable(true);
        choice->setChecked(s == speed);
        group->addAction(choice);
    }
    menu->addSeparator();
    menu->addAction(tr("Clear"), this, [=] { clear(camera, preset, name); })
        ->setEnabled(stored || !name.isEmpty());
    menu->popup(at);
}

void PresetBoard::recall(const QString &camera, int preset, std::function<void()> then)
{
    Command c;
    c.kind = Command::Preset; // at its own speed, as the keypad recalls it
    c.number = preset;
    run(camera, c, std::move(then));
}

void PresetBoard::storeHere(const QString &camera, int preset, bool stored, const QString &name)
{
    Command c;
    c.kind = Command::Store;
    c.number = preset;
    if (!stored) {
        run(camera, c);
        return;
    }
    ask(name.isEmpty() ? tr("Store where %1 looks now as preset %2? Its position and picture "
                            "are replaced.")
                             .arg(camera)
                             .arg(preset)
                       : tr("Store where %1 looks now as preset %2, %3? Its position and "
                            "picture are replaced.")
                             .arg(camera)
                             .arg(preset)
                             .arg(name),
        [=] { run(camera, c); });
}

void PresetBoard::retake(const QString &camera, int preset, int speed)
{
    // A picture shows what the camera sees: the preset's view, so it goes there first. A
    // preset with a speed of its own glides, and is taken once it has arrived.
    recall(camera, preset, [=] {
        if (speed > 0) {
            retakeOnArrival[camera] = preset;
            return;
        }
        Command c;
        c.kind = Command::RetakePicture;
        c.number = preset;
        run(camera, c);
    });
}

void PresetBoard::rename(const QString &camera, int preset, const QString &name)
{
    auto *dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Rename preset"));
    dialog->setLabelText(tr("Name of preset %1 of %2 (empty: none):").arg(preset).arg(camera));
    dialog->setTextValue(name);
    connect(dialog, &QInputDialog::textValueSelected, this, [=](const QString &given) {
        Command c;
        c.kind = Command::NamePreset;
        c.number = preset;
        c.name = given.trimmed();
        run(camera, c);
    });
    dialog->open();
}

void PresetBoard::clear(const QString &camera, int preset, const QString &name)
{
    Command c;
    c.kind = Command::Clear;
    c.number = preset;
    ask(name.isEmpty() ? tr("Clear preset %1 of %2? Its position and picture are lost.")
                             .arg(preset)
                             .arg(camera)
                       : tr("Clear preset %1, %2, of %3? Its position and picture are lost.")
                             .arg(preset)
                             .arg(name, camera),
        [=] { run(camera, c); });
}

void PresetBoard::run(const QString &camera, Command c, std::function<void()> then)
{
    c.on = camera;
    perform(std::move(c), camera, std::move(then));
}

void PresetBoard::perform(Command c, const QString &about, std::function<void()> then)
{
    c.by = QStringLiteral("board");
    const std::weak_ptr<bool> board = alive;
    panel.run(c, [this, board, about, c, then](const Outcome &done) {
        if (board.expired())
            return;
        if (done.cause == Outcome::Guarded && !c.force) {
            // A shot moves its other cameras already; the question is about those on program.
            ask(Command::isShow(c.kind)
                    ? tr("%1. Move the cameras on program anyway?").arg(done.error)
                    : tr("%1 is on program. Move it anyway?").arg(about),
                [=] {
                    Command forced = c;
                    forced.force = true;
                    perform(forced, about, then);
                });
            return;
        }
        if (done.exitCode) {
            say(tr("%1: %2").arg(about, done.error));
            return;
        }
        say(QString());
        if (then)
            then();
    });
}

void PresetBoard::ask(const QString &question, std::function<void()> yes)
{
    // Not exec(): the board and the panel go on while the question waits.
    auto *box = new QMessageBox(QMessageBox::Question, windowTitle(), question,
                                QMessageBox::Yes | QMessageBox::Cancel, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setDefaultButton(QMessageBox::Cancel);
    connect(box, &QMessageBox::finished, this, [yes](int answer) {
        if (answer == QMessageBox::Yes)
            yes();
    });
    box->open();
}

void PresetBoard::say(const QString &text)
{
    statusLine->setText(text);
}
