// SPDX-License-Identifier: GPL-2.0-or-later
// An ONVIF camera the way its user reaches it, against the loopback camera: found with
// --discover, added with --add-camera (the password typed on standard input), driven from
// the command line, then from the real panel's joystick under Xvfb, signed in each time.
#include "OnvifEmulator.h"
#include "XSession.h"

#include <QtTest>

#include <sys/stat.h>

class tst_E2eOnvif : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLine_data();
    void commandLine();
    void joystickInThePanel();

private:
    struct Run
    {
        int exitCode = -1;
        QString out, err;
    };
    Run run(const QStringList &arguments, const QByteArray &input = {});

    OnvifEmulator camera;
    QTemporaryDir config;
};

tst_E2eOnvif::Run tst_E2eOnvif::run(const QStringList &arguments, const QByteArray &input)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("CAMERACTRL_BACKEND", "visca"); // the network cameras alone
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.start(PTZ_PANEL_PATH, arguments);
    p.write(input);
    p.closeWriteChannel();
    Run r;
    if (p.waitForFinished(20000))
        r.exitCode = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    r.err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return r;
}

void tst_E2eOnvif::initTestCase()
{
    camera.change([](OnvifEmulator::Behaviour &b) {
        b.user = "operator";
        b.password = "s3cret, really";
        b.skewSeconds = -7200; // its clock two hours behind
    });
    // What --discover finds is what --add-camera takes, with the user added.
    const Run found = run({"--discover", "127.0.0.1:" + QString::number(camera.discoveryPort())});
    QCOMPARE(found.exitCode, 0);
    const QString line = "Loopback Dome, onvif, 127.0.0.1, " + QString::number(camera.port());
    QCOMPARE(found.out, line);
    const Run refused = run({"--add-camera", line + ", operator"});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("no password"), qPrintable(refused.err));
    const Run added = run({"--add-camera", line + ", operator"}, "s3cret, really\n");
    QVERIFY2(added.exitCode == 0, qPrintable(added.err));
    // The password is kept apart, where only its owner may read it.
    QFile cameras(config.filePath("ptz-panel/cameras")),
        secrets(config.filePath("ptz-panel/credentials"));
    QVERIFY(cameras.open(QIODevice::ReadOnly) && secrets.open(QIODevice::ReadOnly));
    QVERIFY(!cameras.readAll().contains("s3cret"));
    QVERIFY(secrets.readAll().contains("s3cret"));
    struct stat info = {};
    QVERIFY(::stat(qPrintable(secrets.fileName()), &info) == 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0600));
}

void tst_E2eOnvif::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("sent"); // the user's operations, without the reading
    QTest::newRow("list") << QStringList{"--list"} << "0 Loopback Dome" << QStringList{};
    // Up-left may go out as a pan, then the pan with the tilt: what counts is the last.
    QTest::newRow("move for a moment")
        << QStringList{"--move", "up-left", "--speed", "8", "--for", "0.3"} << ""
        << QStringList{"ContinuousMove", "Stop"};
    QTest::newRow("position and back") << QStringList{"--position", "40,10", "--get-position"}
                                       << "40,10" << QStringList{"AbsoluteMove"};
    QTest::newRow("store and recall")
        << QStringList{"--store", "6", "--preset", "6", "--home"} << ""
        << QStringList{"SetPreset", "GotoPreset", "GotoHomePosition"};
    QTest::newRow("brightness") << QStringList{"--brightness", "80"} << ""
                                << QStringList{"SetImagingSettings"};
}

void tst_E2eOnvif::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QStringList, sent);
    camera.clearReceived();
    const Run r = run(arguments);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out, out);
    QStringList operations;
    QStringList moves;
    for (const auto &request : camera.received()) {
        if (request.operation == "ContinuousMove")
            moves << QString::fromStdString(request.body);
        if (request.operation == "ContinuousMove" && operations.endsWith("ContinuousMove"))
            continue;
        operations << QString::fromStdString(request.operation);
    }
    for (const char *reading :
         {"GetSystemDateAndTime", "GetServices", "GetProfiles", "GetConfigurationOptions",
          "GetPresets", "GetStatus", "GetOptions", "GetImagingSettings", "GetSnapshotUri"})
        operations.removeAll(reading);
    QCOMPARE(operations, sent);
    // Both axes went out together at some point; the stops that follow may come one axis
    // at a time when the camera is slow to take them.
    if (!moves.isEmpty())
        QVERIFY2(!moves
                      .filter(QRegularExpression("<tt:PanTilt x=\"-(1|0\\.\\d+)\" "
                                                 "y=\"(1|0\\.\\d+)\""))
                      .isEmpty(),
                 qPrintable(moves.join('\n')));
    for (const auto &request : camera.received())
        if (request.operation != "GetSystemDateAndTime")
            QVERIFY2(request.usernameToken, request.operation.c_str());
}

void tst_E2eOnvif::joystickInThePanel()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    QProcessEnvironment env;
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("CAMERACTRL_BACKEND", "visca");
    PanelProcess panel(x, PTZ_PANEL_PATH, env);
    const qulonglong id = panel.waitForWindow();
    QVERIFY2(id, qPrintable(panel.errorOutput()));
    const QString window = QString::number(id);
    QVERIFY(camera.waitFor("GetImagingSettings", std::chrono::seconds(10)));
    camera.clearReceived();
    // Joystick: press in the middle, push up, hold, let go.
    QStringList operations;
    for (int attempt = 0; attempt < 10 && !operations.contains("Stop"); ++attempt) {
        x.xdotool({"mousemove", "--window", window, "387", "135", "mousedown", "1"});
        for (const int y : {125, 110, 96}) {
            x.xdotool({"mousemove", "--window", window, "387", QString::number(y)});
            QTest::qWait(100);
        }
        QTest::qWait(300);
        x.xdotool({"mouseup", "1"});
        camera.waitFor("Stop", std::chrono::seconds(2));
        operations.clear();
        for (const std::string &op : camera.operations(true))
            operations << QString::fromStdString(op);
    }
    QVERIFY2(operations.contains("ContinuousMove"), qPrintable(operations.join(',')));
    QCOMPARE(operations.last(), QString("Stop"));
    bool up = false;
    for (const auto &request : camera.received())
        up = up || (request.operation == "ContinuousMove" &&
                    QString::fromStdString(request.body)
                        .contains(QRegularExpression("<tt:PanTilt x=\"0\" y=\"0\\.\\d+\"/>")));
    QVERIFY(up);
    QCOMPARE(panel.process().state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_E2eOnvif)
#include "tst_e2e_onvif.moc"
