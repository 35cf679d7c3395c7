// SPDX-License-Identifier: GPL-2.0-or-later
// The real program opens its game-controller module only when udev reports a joystick or
// game controller, its HTTP module only when the API is asked for, its OSC module only
// with --osc and its board only when it is shown; until then none of them, nor SDL,
// libmicrohttpd, liblo or Qt Network, is mapped. A
// module that is missing, not a library or from another build is said once on stderr, and the rest
// of the panel works.
#include "FakeUdev.h"
#include "TraceFile.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

#include <csignal>
#include <unistd.h>

namespace {

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

int freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

// "/ptz/home" without arguments, as OSC puts it on the wire.
bool sendOscHome(int port)
{
    QUdpSocket socket;
    const QByteArray message("/ptz/home\0\0\0,\0\0\0", 16);
    return socket.writeDatagram(message, QHostAddress::LocalHost, quint16(port)) == 16;
}

int httpStatus(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    if (!socket.waitForConnected(2000))
        return 0;
    socket.write("GET /api/state HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                 "\r\n\r\n");
    QByteArray answer;
    while (!answer.contains("\r\n\r\n") && socket.waitForReadyRead(5000))
        answer += socket.readAll();
    return answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0;
}

class Panel
{
public:
    explicit Panel(const QString &program = QStringLiteral(PTZ_PANEL_PATH)) : program(program)
    {
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("CAMERACTRL_TRACE", trace.path());
        env.remove("CAMERACTRL_SIM_DIR");
        process.setProcessEnvironment(env);
    }
    ~Panel()
    {
        process.kill();
        process.waitForFinished(5000);
    }

    // True once it answers on its local socket.
    bool start(const QStringList &arguments = {})
    {
        process.start(program, arguments);
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && process.waitForStarted(100) &&
               process.state() == QProcess::Running) {
            QLocalSocket probe;
            probe.connectToServer(runtime.path() +
                                  QStringLiteral("/ptz-panel-%1.socket").arg(::getuid()));
            if (probe.waitForConnected(200))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    // A later start, handed to this panel: its exit code and its stderr.
    QPair<int, QString> handOver(const QStringList &arguments)
    {
        QProcess later;
        later.setProcessEnvironment(env);
        later.start(QStringLiteral(PTZ_PANEL_PATH), arguments);
        later.waitForFinished(20000);
        return {later.exitCode(), QString::fromLocal8Bit(later.readAllStandardError())};
    }

    bool maps(const QString &library) const
    {
        QFile maps(QStringLiteral("/proc/%1/maps").arg(process.processId()));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library.toUtf8());
    }

    QString err()
    {
        errors += QString::fromLocal8Bit(process.readAllStandardError());
        return errors;
    }

    QString program;
    QTemporaryDir runtime;
    TraceFile trace;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess process;
    QString errors;
};

} // namespace

class tst_Modules : public QObject
{
    Q_OBJECT

private slots:
    void controllerModuleWaitsForAJoystick_data();
    void controllerModuleWaitsForAJoystick();
    void httpModuleWaitsForTheOption();
    void oscModuleWaitsForTheOption();
    void boardModuleWaitsForTheBoard();
    void unusableModule_data();
    void unusableModule();
};

void tst_Modules::controllerModuleWaitsForAJoystick_data()
{
    QTest::addColumn<QByteArray>("kind"); // what udev's input_id calls the device
    QTest::addColumn<bool>("opens");
    QTest::newRow("keyboard") << QByteArray("KEY") << false;
    QTest::newRow("mouse") << QByteArray("MOUSE") << false;
    QTest::newRow("joystick") << QByteArray("JOYSTICK") << true;
}

void tst_Modules::controllerModuleWaitsForAJoystick()
{
    QFETCH(QByteArray, kind);
    QFETCH(bool, opens);
    Panel panel;
    QVERIFY(panel.start());
    QVERIFY(!panel.maps("libptz-gamepad.so"));
    QVERIFY(!panel.maps("libSDL2"));

    QString why;
    QVERIFY2(FakeUdev::announceInput("add", kind, why), qPrintable(why));
    if (opens) {
        // Within a second of udev's event, as a controller must be steering by then.
        QTRY_VERIFY_WITH_TIMEOUT(panel.maps("libptz-gamepad.so"), 1000);
        QVERIFY(panel.maps("libSDL2"));
    } else {
        QTest::qWait(500);
        QVERIFY(!panel.maps("libptz-gamepad.so"));
    }
    QVERIFY2(!panel.err().contains("cannot"), qPrintable(panel.err()));
}

void tst_Modules::httpModuleWaitsForTheOption()
{
    Panel panel;
    QVERIFY(panel.start());
    QVERIFY(!panel.maps("libptz-http.so"));
    QVERIFY(!panel.maps("libmicrohttpd"));
    const int port = freePort();
    QCOMPARE(panel.handOver({"--http", QString::number(port)}).first, 0);
    QVERIFY(panel.maps("libptz-http.so"));
    QCOMPARE(httpStatus(port), 200);
}

void tst_Modules::oscModuleWaitsForTheOption()
{
    {
        Panel plain;
        QVERIFY(plain.start());
        for (const char *library : {"libptz-osc.so", "liblo.so", "libQt5Network"})
            QVERIFY2(!plain.maps(library), library);
    }
    Panel panel;
    const int port = freeUdpPort();
    QVERIFY(panel.start({"--osc", QString::number(port)}));
    QVERIFY(panel.maps("libptz-osc.so"));
    QVERIFY(panel.maps("liblo.so"));
    QTRY_VERIFY(TraceFile::startedUp(panel.trace.path()));
    panel.trace.take();
    QVERIFY(sendOscHome(port));
    QTRY_VERIFY(panel.trace.peek().contains("Home"));
    QVERIFY2(!panel.err().contains("cannot"), qPrintable(panel.err()));
}

void tst_Modules::boardModuleWaitsForTheBoard()
{
    Panel panel;
    QVERIFY(panel.start());
    QVERIFY(!panel.maps("libptz-board.so"));
    QCOMPARE(panel.handOver({"--board"}).first, 0);
    QVERIFY(panel.maps("libptz-board.so"));
}

void tst_Modules::unusableModule_data()
{
    QTest::addColumn<QByteArray>("contents"); // of both module files; empty: none there
    QTest::addColumn<QString>("said");
    QFile library(QStringLiteral(PTZ_MODULE_DIR "/libCameraCtrl.so"));
    QVERIFY(library.open(QIODevice::ReadOnly));
    QTest::newRow("missing") << QByteArray() << "libptz-%1.so is missing";
    QTest::newRow("not a library") << QByteArray("junk\n") << "libptz-%1.so";
    QTest::newRow("from another build")
        << library.readAll() << "libptz-%1.so is not from this version of the program";
}

void tst_Modules::unusableModule()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, said);
    // The program alone in a directory of its own finds its modules there.
    QTemporaryDir dir;
    const QString program = dir.filePath("bin/ptz-panel");
    QVERIFY(QDir(dir.path()).mkdir("bin"));
    QVERIFY(QFile::copy(QStringLiteral(PTZ_PANEL_PATH), program));
    for (const char *module : {"gamepad", "http", "osc", "board"}) {
        QFile file(dir.filePath(QStringLiteral("bin/libptz-%1.so").arg(module)));
        QVERIFY(contents.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(contents)));
    }

    Panel panel(program);
    const int port = freePort(), osc = freeUdpPort();
    QVERIFY(
        panel.start({"--http", QString::number(port), "--osc", QString::number(osc), "--board"}));
    QString why;
    // Twice at least, and until the panel, slow to start under a sanitizer, has heard one.
    for (int i = 0; i < 2 || (i < 50 && !panel.err().contains("game controllers cannot be read"));
         ++i) {
        QVERIFY2(FakeUdev::announceInput("add", "JOYSTICK", why), qPrintable(why));
        QTest::qWait(200);
    }
    const auto again = panel.handOver({"--http", QString::number(freePort())});
    QCOMPARE(again.first, 1);
    QVERIFY2(again.second.contains("HTTP API cannot be served"), qPrintable(again.second));
    QCOMPARE(panel.handOver({"--board"}).first, 1);

    // The rest works: a command handed over reaches the camera.
    QTRY_VERIFY(TraceFile::startedUp(panel.trace.path()));
    panel.trace.take();
    const auto home = panel.handOver({"--home"});
    QVERIFY2(home.first == 0, qPrintable(home.second));
    QTRY_VERIFY(panel.trace.peek().contains("Home"));
    QCOMPARE(panel.process.state(), QProcess::Running);

    const QString err = panel.err();
    QCOMPARE(err.count("the HTTP API cannot be served"), 1);
    QCOMPARE(err.count("game controllers cannot be read"), 1);
    QCOMPARE(err.count("OSC messages cannot be taken"), 1);
    QCOMPARE(err.count("the preset board cannot be shown"), 1);
    for (const char *module : {"gamepad", "http", "osc", "board"})
        QVERIFY2(err.contains(said.arg(module)), qPrintable(err));
    QVERIFY(!panel.maps("libSDL2") && !panel.maps("libmicrohttpd") && !panel.maps("liblo.so"));
}

QTEST_GUILESS_MAIN(tst_Modules)
#include "tst_modules.moc"
