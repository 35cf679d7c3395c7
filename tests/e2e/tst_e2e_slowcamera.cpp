// SPDX-License-Identifier: GPL-2.0-or-later
// The real program on a USB camera that is slow to answer (the V4L2 fake of the kernel driver,
// in the camera library built over it), driven with real X input while the camera is still
// being read: a joystick hold and a brightness change reach the camera as soon as the request
// in flight ends, ahead of the rest of the reading; a slider whose control has not arrived
// yet is greyed, and live once it has.
#include "TraceFile.h"
#include "XSession.h"

#include <QFile>
#include <QtTest>

namespace {

// The first of `lines` that `pattern` finds something in, or -1.
int firstWith(const QStringList &lines, const QString &pattern)
{
    const QRegularExpression wanted(pattern);
    for (int i = 0; i < lines.size(); ++i)
        if (wanted.match(lines[i]).hasMatch())
            return i;
    return -1;
}

} // namespace

class tst_E2eSlowCamera : public QObject
{
    Q_OBJECT

private slots:
    void actsWhileTheCameraIsRead();
};

void tst_E2eSlowCamera::actsWhileTheCameraIsRead()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.log"), requests = dir.filePath("camera.log"),
                  hold = dir.filePath("hold");
    // The camera does not answer its first request for contrast while `hold` is there.
    QFile(hold).open(QIODevice::WriteOnly);
    QProcessEnvironment env;
    env.insert("CAMERACTRL_BACKEND", "v4l2");
    env.insert("CAMERACTRL_TRACE", trace);
    env.insert("CAMERACTRL_REMEMBER", "0"); // the camera's own values, whatever ran before
    env.insert("LD_LIBRARY_PATH", PTZ_FAKE_CAMERA_DIR);
    env.insert("PTZ_FAKE_UVC_MS", "3");
    env.insert("PTZ_FAKE_UVC_LOG", requests);
    env.insert("PTZ_FAKE_UVC_HOLD", "contrast:" + hold);
    PanelProcess panel(x, PTZ_PANEL_PATH, env);
    const qulonglong id = panel.waitForWindow();
    QVERIFY2(id, qPrintable(panel.errorOutput()));
    const QString window = QString::number(id);
    QTRY_VERIFY_WITH_TIMEOUT(TraceFile::read(requests).contains("GET_DEF contrast"), 10000);

    // Clicks on a slider's groove, either side of the handle wherever it is: a live slider
    // takes a page step. Never a drag: one on a greyed slider would move the window, and the
    // clicks after it would land where the window was.
    const auto clickGroove = [&](int y) {
        for (const char *at : {"116", "150"})
            x.xdotool({"mousemove", "--window", window, at, QString::number(y), "click", "1"});
    };
    const auto traced = [&](const QString &pattern) {
        return firstWith(TraceFile::read(trace), pattern) >= 0;
    };
    const auto dump = [&] {
        qWarning().noquote() << TraceFile::read(trace).join(", ") << "\n"
                             << TraceFile::read(requests).join(", ") << panel.errorOutput()
                             << x.xdotool({"getwindowgeometry", window})
                             << x.xdotool({"getmouselocation"});
    };
    const auto guard = qScopeGuard([&] {
        if (QTest::currentTestFailed())
            dump();
    });
    // Open the image panel; the first clicks may come before the window takes input there.
    x.xdotool({"mousemove", "--window", window, "280", "100", "click", "1"});
    QElapsedTimer clock;
    clock.start();
    while (!traced("^SetBrightness ") && clock.elapsed() < 10000) {
        clickGroove(28);
        QTest::qWait(100);
    }
    QVERIFY(traced("^SetBrightness "));
    clickGroove(68); // contrast: not read yet, so greyed
    // Hold the joystick to the right until the panel sends a speed.
    x.xdotool({"mousemove", "--window", window, "387", "135", "mousedown", "1"});
    x.xdotool({"mousemove", "--window", window, "410", "135"});
    x.xdotool({"mousemove", "--window", window, "425", "135"});
    QTRY_VERIFY_WITH_TIMEOUT(traced("^PanRight [1-9]"), 10000);

    QVERIFY(QFile::remove(hold));
    const auto camera = [&] { return TraceFile::read(requests); };
    const QString setBrightness = "^SET_CUR brightness ";
    QTRY_VERIFY_WITH_TIMEOUT(firstWith(camera(), setBrightness) >= 0, 10000);
    x.xdotool({"mouseup", "1"});
    QTRY_VERIFY_WITH_TIMEOUT(traced("^PanRightStop$"), 10000);
    // The last control read: every slider is live.
    QTRY_VERIFY_WITH_TIMEOUT(camera().contains("GET_CUR focus-auto"), 10000);
    QVERIFY(!traced("^SetContrast "));
    clock.restart();
    while (!traced("^SetContrast ") && clock.elapsed() < 10000) {
        clickGroove(68);
        QTest::qWait(100);
    }
    QVERIFY(traced("^SetContrast "));

    // When the request held ended, the motion and the brightness went out before the rest of
    // the reading (contrast's value, then hue).
    const QStringList lines = camera();
    const int held = lines.indexOf("GET_RES contrast");
    const int moving = firstWith(lines, "^SET_CUR pantilt-relative 01 ");
    const int brightness = firstWith(lines, setBrightness);
    const int readOn = lines.indexOf("GET_CUR contrast");
    QVERIFY2(held >= 0 && held < moving && held < brightness && moving < readOn &&
                 brightness < readOn,
             qPrintable(lines.join(", ")));
    // Let go of the joystick: stopped.
    QTRY_VERIFY(firstWith(camera(), "^SET_CUR pantilt-relative 00 .. 00") > moving);

    x.xdotool({"mousemove", "--window", window, "470", "10", "click", "1"});
    QCOMPARE(panel.waitForExit(), 0);
}

QTEST_GUILESS_MAIN(tst_E2eSlowCamera)
#include "tst_e2e_slowcamera.moc"
