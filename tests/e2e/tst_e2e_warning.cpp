// SPDX-License-Identifier: GPL-2.0-or-later
// The plug-in warning as a user meets it, on the real program under Xvfb: the camera pulled
// out, more unplugging and touches of the zoom lever, the stay-on-top key pressed; one
// warning, above the panel, which goes by itself when a camera is plugged in.
#include "TraceFile.h"
#include "XSession.h"

#include <QFile>
#include <QRect>
#include <QtTest>

class tst_E2eWarning : public QObject
{
    Q_OBJECT

private slots:
    void oneWarningAboveThePanel();
};

namespace {

QRect geometryOf(const XSession &x, const QString &window)
{
    QRect rect;
    for (const QString &line : x.xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
        const QString key = line.section('=', 0, 0);
        const int value = line.section('=', 1).toInt();
        if (key == "X")
            rect.moveLeft(value);
        else if (key == "Y")
            rect.moveTop(value);
        else if (key == "WIDTH")
            rect.setWidth(value);
        else if (key == "HEIGHT")
            rect.setHeight(value);
    }
    return rect;
}

// The window the pointer is over: the one a click there reaches.
QString windowUnder(const XSession &x, QPoint point)
{
    x.xdotool({"mousemove", QString::number(point.x()), QString::number(point.y())});
    for (const QString &line : x.xdotool({"getmouselocation", "--shell"}).split('\n'))
        if (line.startsWith("WINDOW="))
            return line.section('=', 1);
    return {};
}

void write(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

} // namespace

void tst_E2eWarning::oneWarningAboveThePanel()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("cameras"));
    const QString cameras = dir.filePath("cameras");
    write(cameras + "/a.cam", "name=A\n");
    const QString trace = dir.filePath("trace.log");
    QProcessEnvironment env = PanelProcess::simulatedCamera(trace);
    env.insert("CAMERACTRL_SIM_DIR", cameras);
    PanelProcess panel(x, PTZ_PANEL_PATH, env);
    const qulonglong id = panel.waitForWindow();
    QVERIFY2(id, qPrintable(panel.errorOutput()));
    const QString window = QString::number(id);
    QTRY_VERIFY_WITH_TIMEOUT(TraceFile::startedUp(trace), 10000);

    const auto warnings = [&] {
        const QString found = x.xdotool({"search", "--onlyvisible", "--name", "^Warning$"});
        return found.isEmpty() ? QStringList() : found.split('\n');
    };
    QCOMPARE(warnings().size(), 0);

    // The camera is pulled out: the warning.
    QVERIFY(QFile::remove(cameras + "/a.cam"));
    QTRY_COMPARE_WITH_TIMEOUT(warnings().size(), 1, 5000);

    // Meanwhile: a camera plugged and pulled again at once, and the zoom lever pushed.
    const QRect lever(267 + 80, 265, 80, 16);
    for (int i = 0; i < 3; ++i) {
        write(cameras + "/b.cam", "name=B\n");
        QTest::qWait(150);
        QVERIFY(QFile::remove(cameras + "/b.cam"));
        x.xdotool({"mousemove", "--window", window, QString::number(lever.center().x()),
                   QString::number(lever.center().y()), "mousedown", "1"});
        x.xdotool({"mousemove", "--window", window, QString::number(lever.left() + 10),
                   QString::number(lever.center().y())});
        x.xdotool({"mouseup", "1"});
        QTest::qWait(900); // an enumeration follows 500 ms after the last change
    }
    QCOMPARE(warnings().size(), 1);
    const QString warning = warnings().first();

    // The stay-on-top key, off and on again, and the panel still stays under the warning.
    for (int i = 0; i < 2; ++i) {
        x.xdotool({"mousemove", "--window", window, "432", "10", "click", "1"});
        QTest::qWait(200);
    }
    QCOMPARE(warnings().size(), 1);
    const QRect panelKeys = geometryOf(x, window).adjusted(267, 0, 0, 0);
    const QRect box = geometryOf(x, warning);
    const QRect overlap = panelKeys & box;
    QVERIFY2(!overlap.isEmpty(), "the warning is not over the panel");
    for (const QPoint &point : {overlap.center(), overlap.bottomRight() - QPoint(10, 10)})
        QCOMPARE(windowUnder(x, point), warning);
    QVERIFY(!x.run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("ABOVE"));

    // A camera arrives: the warning goes by itself, and the panel is on top again.
    write(cameras + "/c.cam", "name=C\n");
    QTRY_COMPARE_WITH_TIMEOUT(warnings().size(), 0, 5000);
    QTRY_VERIFY(x.run("xprop", {"-id", window, "_NET_WM_STATE"}).contains("ABOVE"));
    QCOMPARE(panel.process().state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_E2eWarning)
#include "tst_e2e_warning.moc"
