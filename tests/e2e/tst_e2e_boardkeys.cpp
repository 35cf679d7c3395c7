// SPDX-License-Identifier: GPL-2.0-or-later
// The preset board driven as a person drives it, on two simulated cameras, through X input
// alone: opened with Ctrl+B on the panel just after another window had the keyboard, and
// from the panel's menu; a preset recalled by a click, another by the arrow keys and Enter;
// where a camera looks stored into an empty tile from its menu, then over a stored one (by
// Shift+F10) once the question is answered; a preset renamed in its dialog; the board shut
// with Escape while the panel goes on; on its last page, a shot recalled, a tour started and
// stopped, a shot defined in its dialog and deleted; last, the other camera chosen in the
// panel's selector. Tiles and menu entries are found where a screen reader finds them; the
// cameras' positions, the presets listed and the boxes open tell what was done.
#include "AccessibleTree.h"
#include "SimCameras.h"
#include "XSession.h"

#include <QtTest>

class tst_E2eBoardKeys : public QObject
{
    Q_OBJECT

private slots:
    void drivenAsAPersonDrivesIt();
};

void tst_E2eBoardKeys::drivenAsAPersonDrivesIt()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    AccessibleTree reader;
    QVERIFY2(reader.isRunning() && reader.publishOn(x.display()), "no accessibility bus");
    SimCameras cameras;
    cameras.plug("a.cam", "name=Alpha\n");
    cameras.plug("b.cam", "name=Beta\n");
    QProcessEnvironment env = reader.environment();
    env.insert("LC_ALL", "C.UTF-8");
    PanelProcess panel(x, PTZ_PANEL_PATH, env);
    const qulonglong id = panel.waitForWindow();
    QVERIFY2(id, qPrintable(panel.errorOutput()));
    const QString window = QString::number(id);

    // What a user types beside the window, answered by the running panel.
    const auto command = [&](const QStringList &arguments, QString *out = nullptr) {
        bool ok = false;
        const QString said = x.run(PTZ_PANEL_PATH, arguments, &ok, 20000);
        if (out)
            *out = said;
        return ok;
    };
    const auto position = [&](const QString &camera) {
        QString at;
        command({"--on", camera, "--get-position"}, &at);
        return at;
    };
    const auto preset = [&](const QString &camera, int number) {
        QString list;
        command({"--on", camera, "--list-presets"}, &list);
        for (const QString &line : list.split('\n'))
            if (line.startsWith(QString::number(number) + ' '))
                return line;
        return QString();
    };
    const auto boxes = [&] { return x.windowsOf(panel.process().processId(), "DIALOG"); };
    const auto board = [&] {
        return x.xdotool({"search", "--onlyvisible", "--name", "^Preset board"});
    };
    const auto click = [&](QPoint at, const char *button = "1") {
        x.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", button});
    };
    // The middle of the tile `name` on the page of `camera`, as a screen reader finds it, once
    // the page shows with its live tile: that comes first and moves the others along.
    const auto tile = [&](const QString &camera, const QString &name) {
        bool onPage = false, live = false;
        QPoint middle;
        for (const AccessibleTree::Node &node : reader.nodes("ptz-panel", "Preset board")) {
            if (node.role == "list")
                onPage = node.name == "Presets of " + camera && !node.extents.isEmpty();
            else if (onPage && node.role == "list item") {
                live = live || node.name == "Live view";
                if (node.name == name)
                    middle = node.extents.center();
            }
        }
        return live ? middle : QPoint();
    };
    QPoint at;
    // The menu shown, which must be the one named `of`; its entry `entry` is clicked.
    const auto pick = [&](const QString &of, const QString &entry) {
        QVector<AccessibleTree::Node> menu;
        QDeadlineTimer deadline(5000);
        while ((menu = reader.menuShown()).isEmpty() && !deadline.hasExpired())
            QTest::qWait(50);
        QString seen;
        for (const AccessibleTree::Node &node : menu) {
            if (node.role == "menu item" && node.name == entry && menu.first().name == of) {
                click(node.extents.center());
                return QString();
            }
            seen += node.role + ' ' + node.name + '\n';
        }
        return "no " + entry + " in the menu of " + of + ":\n" + seen;
    };

    // Where a screen reader finds the control `name` of `role` on the board, if shown.
    const auto shown = [&](const QString &role, const QString &name) {
        for (const AccessibleTree::Node &node : reader.nodes("ptz-panel", "Preset board"))
            if (node.role == role && node.name == name && !node.extents.isEmpty())
                return node.extents.center();
        return QPoint();
    };

    for (const char *camera : {"Alpha", "Beta"})
        QTRY_VERIFY_WITH_TIMEOUT(
            command({"--on", camera, "--position", "300,50", "--store", "1", "--position",
                     "-300,-50", "--store", "2", "--position", "0,0"}),
            20000);

    // Another window has the keyboard; the panel takes it with a click, then Ctrl+B.
    QProcess other;
    other.setProcessEnvironment(x.environment());
    other.start(PTZ_CLICKTARGET_PATH, {"900", "550", "200", "200"});
    QVERIFY(other.waitForReadyRead(10000));
    const QString otherWindow =
        x.xdotool({"search", "--onlyvisible", "--pid", QString::number(other.processId())});
    x.xdotool({"windowfocus", "--sync", otherWindow});
    QCOMPARE(x.xdotool({"getwindowfocus"}), otherWindow);
    x.xdotool({"mousemove", "--window", window, "462", "120", "click", "1"});
    x.xdotool({"keydown", "ctrl", "key", "b", "keyup", "ctrl"});
    QTRY_VERIFY_WITH_TIMEOUT(!board().isEmpty(), 10000);
    QTRY_COMPARE(x.xdotool({"getwindowfocus"}), board());

    // Alpha's page shows first, its camera the panel's: preset 2 by a click, 1 by the keys.
    QTRY_VERIFY_WITH_TIMEOUT(!(at = tile("Alpha", "Preset 2")).isNull(), 10000);
    click(at);
    QTRY_COMPARE_WITH_TIMEOUT(position("Alpha"), QString("-300,-50"), 10000);
    x.xdotool({"key", "Left", "Return"});
    QTRY_COMPARE_WITH_TIMEOUT(position("Alpha"), QString("300,50"), 10000);

    // Beta's page: where Beta looks now into the empty tile 3, asked nothing.
    QVERIFY(command({"--on", "Beta", "--position", "100,20"}));
    x.xdotool({"keydown", "ctrl", "key", "Tab", "keyup", "ctrl"});
    QTRY_VERIFY_WITH_TIMEOUT(!(at = tile("Beta", "Preset 3")).isNull(), 10000);
    click(at, "3");
    QCOMPARE(pick("Preset 3", "Store here"), QString());
    QTRY_VERIFY_WITH_TIMEOUT(preset("Beta", 3).startsWith("3 stored 100,20,"), 10000);
    QCOMPARE(boxes().size(), 0);

    // Over preset 1, reached with the keys: one question, answered Yes.
    x.xdotool({"key", "Left", "Left", "keydown", "shift", "key", "F10", "keyup", "shift"});
    QCOMPARE(pick("Preset 1", "Store here"), QString());
    QTRY_COMPARE(boxes().size(), 1);
    QVERIFY(preset("Beta", 1).startsWith("1 stored 300,50,"));
    QTRY_VERIFY(!(at = shown("push button", "Yes")).isNull());
    click(at);
    QTRY_COMPARE(boxes().size(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(preset("Beta", 1).startsWith("1 stored 100,20,"), 10000);

    // Preset 2 renamed in the dialog its menu opens, typed as a person types.
    QTRY_VERIFY(!(at = tile("Beta", "Preset 2")).isNull());
    click(at, "3");
    QCOMPARE(pick("Preset 2", "Rename…"), QString());
    QTRY_COMPARE(boxes().size(), 1);
    QTRY_COMPARE(x.xdotool({"getwindowfocus"}), boxes().value(0));
    x.xdotool({"type", "Pulpit"});
    x.xdotool({"key", "Return"});
    QTRY_COMPARE(boxes().size(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(preset("Beta", 2).endsWith(" Pulpit"), 10000);
    QVERIFY(preset("Beta", 2).startsWith("2 stored -300,-50,"));

    // Escape shuts the board; the panel goes on.
    x.xdotool({"key", "Escape"});
    QTRY_VERIFY(board().isEmpty());
    QCOMPARE(position("Alpha"), QString("300,50"));
    QCOMPARE(panel.process().state(), QProcess::Running);

    // From the panel's menu, the board opens again and reads what changed.
    x.xdotool({"mousemove", "--window", window, "462", "120", "click", "3"});
    QCOMPARE(pick(QString(), "Preset board…"), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!board().isEmpty(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!tile("Alpha", "Preset 1").isNull(), 10000);
    x.xdotool({"keydown", "ctrl", "key", "Tab", "keyup", "ctrl"});
    QTRY_VERIFY_WITH_TIMEOUT(!tile("Beta", "Preset 2, Pulpit").isNull(), 10000);

    // The last page: a shot recalled by a click, a tour started by a double-click and
    // stopped by Enter, a shot defined in its dialog, then deleted.
    const auto listed = [&](const char *what) {
        QString list;
        command({what}, &list);
        return list;
    };
    QVERIFY(command({"--define-shot", "Both", "Alpha:2", "Beta:Pulpit"}));
    QVERIFY(command({"--define-tour", "Round", "Alpha", "1:60", "2:60", "--loop"}));
    x.xdotool({"keydown", "ctrl", "key", "Tab", "keyup", "ctrl"});
    QTRY_VERIFY_WITH_TIMEOUT(!(at = shown("list item", "Both")).isNull(), 10000);
    click(at);
    QTRY_COMPARE_WITH_TIMEOUT(position("Alpha"), QString("-300,-50"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(position("Beta"), QString("-300,-50"), 10000);
    QTRY_VERIFY(!(at = shown("list item", "Round – Alpha")).isNull());
    x.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "--repeat",
               "2", "1"});
    QTRY_VERIFY_WITH_TIMEOUT(listed("--list-tours").contains("; running, step 1"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(position("Alpha"), QString("300,50"), 10000);
    QTRY_VERIFY(!shown("list item", "Round – Alpha, running: step 1").isNull());
    x.xdotool({"key", "Return"});
    QTRY_VERIFY_WITH_TIMEOUT(!listed("--list-tours").contains("running"), 10000);
    QTRY_VERIFY(!shown("list item", "Round – Alpha").isNull());
    QTRY_VERIFY(!(at = shown("push button", "New shot…")).isNull());
    click(at);
    QTRY_COMPARE(boxes().size(), 1);
    QTRY_COMPARE(x.xdotool({"getwindowfocus"}), boxes().value(0));
    x.xdotool({"type", "Wide"});
    // Alpha's first preset; Beta stays; all there in 2 s.
    x.xdotool({"key", "Tab", "Down", "Tab", "Tab"});
    x.xdotool({"type", "2"});
    x.xdotool({"key", "Return"});
    QTRY_COMPARE(boxes().size(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(listed("--list-shots").split('\n').contains("Wide: Alpha:1; over 2 s"),
                             10000);
    // The new shot is the one chosen: deleted after its question.
    QTRY_VERIFY(!(at = shown("push button", "Delete")).isNull());
    click(at);
    QTRY_COMPARE(boxes().size(), 1);
    QTRY_VERIFY(!(at = shown("push button", "Yes")).isNull());
    click(at);
    QTRY_COMPARE(boxes().size(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!listed("--list-shots").contains("Wide"), 10000);
    x.xdotool({"key", "Escape"});
    QTRY_VERIFY(board().isEmpty());
    QCOMPARE(boxes().size(), 0);

    // Beta chosen in the panel's own selector, whose list is made as it first drops down:
    // commands without --on go to it from then on.
    const QString alpha = position("Alpha");
    const auto lists = [&] { return x.windowsOf(panel.process().processId(), "COMBO").size(); };
    x.xdotool({"mousemove", "--window", window, "407", "48", "click", "1"});
    QTRY_COMPARE(lists(), 1);
    x.xdotool({"key", "Down", "Return"});
    QTRY_COMPARE(lists(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(command({"--position", "10,10"}) && position("Beta") == "10,10",
                             10000);
    QCOMPARE(position("Alpha"), alpha);
    other.kill();
    other.waitForFinished(3000);
}

QTEST_GUILESS_MAIN(tst_E2eBoardKeys)
#include "tst_e2e_boardkeys.moc"
