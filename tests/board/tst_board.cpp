// SPDX-License-Identifier: GPL-2.0-or-later
// The preset board in-process over the real panel, on two simulated cameras: its tiles show
// what each camera keeps, pictures and why there is none included, and follow what changes;
// clicks, keys and its menu reach the camera as commands from anywhere do; live view follows
// the page shown, and the camera, whichever session drives it, and stops with the board.
#include "BoardModel.h"
#include "BoardView.h"
#include "CameraSession.h"
#include "PanelCommands.h"
#include "PanelHarness.h"
#include "PresetBoard.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

QModelIndex tile(BoardView &view, int preset)
{
    return view.presets().indexOf(preset);
}

// Asks for a tile's menu and picks `path` in it; true when every entry was there.
bool choose(BoardView &view, int preset, const QStringList &path,
            QContextMenuEvent::Reason reason = QContextMenuEvent::Keyboard)
{
    view.setCurrentIndex(tile(view, preset));
    if (reason == QContextMenuEvent::Keyboard) {
        QTest::keyClick(&view, Qt::Key_F10, Qt::ShiftModifier);
    } else {
        const QPoint at = view.visualRect(tile(view, preset)).center();
        QContextMenuEvent click(reason, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &click);
    }
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    for (const QString &entry : path) {
        QAction *found = nullptr;
        for (QAction *action : menu ? menu->actions() : QList<QAction *>())
            if (action->text() == entry && action->isEnabled())
                found = action;
        if (!found)
            return false;
        if (found->menu()) {
            menu = found->menu();
            continue;
        }
        found->trigger();
    }
    while (QApplication::activePopupWidget())
        QApplication::activePopupWidget()->close();
    return true;
}

template <typename Dialog> Dialog *dialogOf(QWidget &board)
{
    for (QDeadlineTimer deadline(2000); !deadline.hasExpired(); QTest::qWait(10))
        if (auto *found = board.findChild<Dialog *>())
            return found;
    return nullptr;
}

} // namespace

using Act = std::function<void(PresetBoard &, BoardView &)>;
Q_DECLARE_METATYPE(Act)

class tst_Board : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tilesFollowTheCamera();
    void actions_data();
    void actions();
    void liveViewFollowsThePage();
    void showsFromTheirPage();

private:
    Outcome run(Command c);
    BoardView &open(const QString &camera);

    std::unique_ptr<QTemporaryDir> config; // no pictures of another test
    std::unique_ptr<PanelHarness> h;
    std::unique_ptr<PanelCommands> panel;
    std::unique_ptr<PresetBoard> board;
};

Outcome tst_Board::run(Command c)
{
    std::optional<Outcome> done;
    panel->run(c, [&done](const Outcome &outcome) { done = outcome; });
    for (QDeadlineTimer deadline(5000); !done && !deadline.hasExpired();)
        QTest::qWait(5);
    return done.value_or(Outcome::failed("no answer"));
}

void tst_Board::init()
{
    config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", config->path().toLocal8Bit());
    h = std::make_unique<PanelHarness>(std::initializer_list<std::pair<QString, QByteArray>>{
        {"a.cam", "name=Hall\n"}, {"b.cam", "name=Stage\n"}});
    QVERIFY(h->start());
    panel = std::make_unique<PanelCommands>(h->window());
    // Preset 1 and preset 2, named, at two places of the window's camera.
    for (const auto &[preset, pan, tilt] :
         {std::tuple<int, int, int>{1, 300, 50}, {2, -600, -100}}) {
        Command go;
        go.kind = Command::Position;
        go.pan = pan;
        go.tilt = tilt;
        QCOMPARE(run(go).exitCode, 0);
        Command store;
        store.kind = Command::Store;
        store.number = preset;
        QCOMPARE(run(store).exitCode, 0);
    }
    Command name;
    name.kind = Command::NamePreset;
    name.number = 2;
    name.name = "Choir";
    QCOMPARE(run(name).exitCode, 0);
    board = std::make_unique<PresetBoard>(*panel);
}

void tst_Board::cleanup()
{
    board.reset();
    panel.reset();
    h.reset();
}

BoardView &tst_Board::open(const QString &camera)
{
    board->show(camera);
    BoardView *view = board->currentPage();
    [&] {
        QVERIFY(view && view->presets().camera() == camera);
        QTRY_VERIFY_WITH_TIMEOUT(
            !view->presets().data(tile(*view, 2), BoardModel::PictureRole).value<QImage>().isNull(),
            5000);
    }();
    h->trace.take();
    return *view;
}

void tst_Board::tilesFollowTheCamera()
{
    BoardView &hall = open("Hall");
    QCOMPARE(board->page("Stage")->presets().camera(), QString("Stage"));
    const auto said = [&](int preset, int role) {
        return tile(hall, preset).data(role).toString();
    };
    QCOMPARE(said(1, Qt::AccessibleDescriptionRole), QString("Stored, with its picture"));
    QCOMPARE(said(2, Qt::AccessibleTextRole), QString("Preset 2, Choir"));
    QCOMPARE(said(3, Qt::AccessibleDescriptionRole), QString("Empty"));
    // Enough to store into, and the last row full.
    const int columns = hall.viewport()->width() / hall.gridSize().width();
    const int tiles = hall.model()->rowCount();
    QVERIFY(tiles >= BoardModel::LeastTiles);
    QCOMPARE(tiles % columns, 0);

    // Stored from elsewhere while it is open: the new tile, then its picture.
    Command store;
    store.kind = Command::Store;
    store.number = 40;
    QCOMPARE(run(store).exitCode, 0);
    QTRY_COMPARE(said(40, Qt::AccessibleDescriptionRole), QString("Stored, with its picture"));
    QCOMPARE(hall.model()->rowCount() % columns, 0);
    // Cleared from elsewhere: gone, the empty tiles past 16 with it.
    Command clear;
    clear.kind = Command::Clear;
    clear.number = 40;
    QCOMPARE(run(clear).exitCode, 0);
    QTRY_VERIFY(!tile(hall, 40).isValid());
    QCOMPARE(hall.model()->rowCount(), tiles);
}

void tst_Board::actions_data()
{
    QTest::addColumn<Act>("act");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<int>("preset"); // whose tile then says
    QTest::addColumn<QString>("then");
    const auto yes = [](PresetBoard &b, bool answer) {
        if (auto *box = dialogOf<QMessageBox>(b))
            box->button(answer ? QMessageBox::Yes : QMessageBox::Cancel)->click();
    };
    QTest::newRow("a click recalls") << Act([](PresetBoard &, BoardView &v) {
        QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, v.visualRect(tile(v, 1)).center());
    }) << QStringList{"CallPreset 1"} << 1
                                     << "Stored, with its picture";
    QTest::newRow("Enter recalls") << Act([](PresetBoard &, BoardView &v) {
        v.setCurrentIndex(tile(v, 2));
        QTest::keyClick(&v, Qt::Key_Return);
    }) << QStringList{"CallPreset 2"}
                                   << 2 << "Stored, with its picture";
    QTest::newRow("an empty tile recalls nothing") << Act([](PresetBoard &, BoardView &v) {
        QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, v.visualRect(tile(v, 5)).center());
    }) << QStringList{} << 5 << "Empty";
    QTest::newRow("store into an empty tile, by right-click")
        << Act([](PresetBoard &, BoardView &v) {
               QVERIFY(choose(v, 5, {"Store here"}, QContextMenuEvent::Mouse));
           })
        << QStringList{"SetPreset 5"} << 5 << "Stored, with its picture";
    QTest::newRow("store over a stored one, asked first")
        << Act([yes](PresetBoard &b, BoardView &v) {
               QVERIFY(choose(v, 1, {"Store here"}));
               yes(b, true);
           })
        << QStringList{"SetPreset 1"} << 1 << "Stored, with its picture";
    QTest::newRow("clear, cancelled") << Act([yes](PresetBoard &b, BoardView &v) {
        QVERIFY(choose(v, 1, {"Clear"}));
        yes(b, false);
    }) << QStringList{} << 1 << "Stored, with its picture";
    QTest::newRow("clear") << Act([yes](PresetBoard &b, BoardView &v) {
        QVERIFY(choose(v, 1, {"Clear"}));
        yes(b, true);
    }) << QStringList{"ClearPreset 1"}
                           << 1 << "Empty";
    QTest::newRow("its own speed") << Act([](PresetBoard &, BoardView &v) {
        QVERIFY(choose(v, 1, {"Speed", "3"}));
    }) << QStringList{"WritePreset 1"}
                                   << 1 << "Stored, with its picture, recalled at speed 3";
    QTest::newRow("rename") << Act([](PresetBoard &b, BoardView &v) {
        QVERIFY(choose(v, 2, {"Rename…"}));
        if (auto *dialog = dialogOf<QInputDialog>(b)) {
            dialog->setTextValue("Pulpit");
            dialog->accept();
        }
    }) << QStringList{"WritePreset 2"}
                            << 2 << "Stored, with its picture";
    // The picture shows the preset's view: it goes there first.
    QTest::newRow("retake") << Act([](PresetBoard &, BoardView &v) {
        QVERIFY(choose(v, 1, {"Retake picture"}));
    }) << QStringList{"CallPreset 1", "RetakePresetPicture 1"}
                            << 1 << "Stored, with its picture";
}

void tst_Board::actions()
{
    QFETCH(Act, act);
    QFETCH(QStringList, sent);
    QFETCH(int, preset);
    QFETCH(QString, then);
    BoardView &view = open("Hall");
    act(*board, view);
    const QRegularExpression asked("^(Call|Set|Clear|Write|Retake)Preset");
    QTRY_COMPARE(h->trace.peek().filter(asked), sent);
    QTRY_COMPARE(tile(view, preset).data(Qt::AccessibleDescriptionRole).toString(), then);
    if (QString(QTest::currentDataTag()) == "rename")
        QTRY_COMPARE(tile(view, 2).data(Qt::AccessibleTextRole).toString(),
                     QString("Preset 2, Pulpit"));
    QVERIFY2(!board->status().contains("Hall:"), qPrintable(board->status())); // nothing refused
}

void tst_Board::liveViewFollowsThePage()
{
    BoardView &hall = open("Hall");
    const auto liveFrame = [](BoardView &view) {
        const QModelIndex first = view.model()->index(0, 0);
        return first.data(BoardModel::LiveRole).toBool() &&
               !first.data(BoardModel::PictureRole).value<QImage>().isNull();
    };
    QTRY_VERIFY_WITH_TIMEOUT(liveFrame(hall), 3000);
    QCOMPARE(h->window().cameraSession().liveViewers(), 1);

    // Another page: the window's camera stops, Stage (on a session of its own) starts.
    BoardView *stage = board->page("Stage");
    board->show("Stage");
    QTRY_VERIFY_WITH_TIMEOUT(liveFrame(*stage), 3000);
    QCOMPARE(h->window().cameraSession().liveViewers(), 0);
    QVERIFY(!hall.presets().hasLive());
    // The window takes Stage: its live view goes on, now from the window's session.
    Command choose;
    choose.kind = Command::Camera;
    choose.number = 1;
    h->trace.take();
    QCOMPARE(run(choose).exitCode, 0);
    QTRY_COMPARE(h->window().cameraSession().liveViewers(), 1);
    QVERIFY(h->trace.take().contains("StartLiveView"));

    board->close();
    QCOMPARE(h->window().cameraSession().liveViewers(), 0);
    QVERIFY(h->trace.peek().contains("StopLiveView"));
}

// Recalls, tours, a plain definition and a delete are driven end to end
// (tst_e2e_boardkeys); here, what a person cannot easily bring about there.
void tst_Board::showsFromTheirPage()
{
    Command define;
    define.kind = Command::DefineShot;
    define.name = "Sermon";
    Command::Cue cue;
    cue.camera = "Hall";
    cue.preset = "Choir";
    define.cues = {cue};
    QCOMPARE(run(define).exitCode, 0);
    open("Hall");
    auto *shots = board->findChild<QListWidget *>("shots");
    QVERIFY(shots);
    QTRY_COMPARE(shots->count(), 1);
    QCOMPARE(shots->item(0)->toolTip(), QString("Hall: Choir"));

    // A new shot from its dialog: a refused name keeps the dialog open with the cause.
    for (auto *button : board->findChildren<QPushButton *>())
        if (button->text() == "&New shot…")
            button->click();
    auto *dialog = dialogOf<QDialog>(*board);
    QVERIFY(dialog);
    auto *hallPreset = dialog->findChildren<QComboBox *>().value(0);
    QTRY_VERIFY(hallPreset && hallPreset->isEnabled());
    QCOMPARE(hallPreset->itemText(2), QString("2 – Choir"));
    hallPreset->setCurrentIndex(1);
    auto *name = dialog->findChild<QLineEdit *>();
    name->setText("Both\x01");
    auto *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    ok->click();
    const auto saysWhy = [&] {
        for (auto *label : dialog->findChildren<QLabel *>())
            if (label->text().contains("control characters"))
                return true;
        return false;
    };
    QTRY_VERIFY(saysWhy() && ok->isEnabled());
    QVERIFY(dialog->isVisible());
    name->setText("Both");
    ok->click();
    QTRY_COMPARE(shots->count(), 2);
}

QTEST_MAIN(tst_Board)
#include "tst_board.moc"
