// SPDX-License-Identifier: GPL-2.0-or-later
// Installing like a desktop application: an install into a staging directory runs on its
// own, with its desktop entry, AppStream data, manual page and icons; the .deb carries the
// same files and the runtime packages the binaries need, and lintian has nothing to say of
// it; and, where allowed, it installs and removes cleanly.
#include "TraceFile.h"
#include "XSession.h"

#include <QDirIterator>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <unistd.h>

namespace {

struct Result
{
    int code = -1;
    QString output;
};

Result run(const QString &program, const QStringList &arguments,
           const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
           int timeoutMs = 240000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {-1, program + " did not start"};
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        return {-1, program + " timed out"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

const int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The modules an installed program has mapped, by path.
QStringList mappedModules(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    QStringList found;
    if (maps.open(QIODevice::ReadOnly))
        for (const QByteArray &line : maps.readAll().split('\n'))
            if (line.contains("/libptz-"))
                found << QString::fromLocal8Bit(line.mid(line.indexOf('/')));
    found.removeDuplicates();
    return found;
}

// Starts an installed program with the simulated camera and its HTTP API; true when it maps
// its window, opens the camera and serves the API from the module installed beside it
// (`moduleDir`).
bool runsAndOpensCamera(const QString &program, QString *why, const QString &moduleDir = {})
{
    XSession x;
    if (!x.isRunning()) {
        *why = "Xvfb did not start";
        return false;
    }
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.log");
    const int port = freePort();
    PanelProcess panel(x, program, PanelProcess::simulatedCamera(trace),
                       {"--http", QString::number(port)});
    if (!panel.waitForWindow()) {
        *why = "no window: " + panel.errorOutput();
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (!TraceFile::read(trace).contains("Open 0 1")) {
        if (clock.elapsed() > 5000) {
            *why = "the camera was not opened";
            return false;
        }
        QTest::qWait(50);
    }
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, quint16(port));
    client.write("GET /api/state HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                 "\r\n\r\n");
    QByteArray answer;
    while (!answer.contains("\r\n\r\n") && client.waitForReadyRead(5000))
        answer += client.readAll();
    if (!answer.startsWith("HTTP/1.1 200")) {
        *why = "the HTTP API does not answer: " + panel.errorOutput();
        return false;
    }
    const QStringList modules = mappedModules(panel.process().processId());
    if (!moduleDir.isEmpty() && modules != QStringList{moduleDir + "/libptz-http.so"}) {
        *why = "the HTTP module is not the installed one: " + modules.join(' ');
        return false;
    }
    return true;
}

} // namespace

class tst_Install : public QObject
{
    Q_OBJECT

private slots:
    void stagedInstallRunsOnItsOwn();
    void debianPackage();
};

void tst_Install::stagedInstallRunsOnItsOwn()
{
    QTemporaryDir stage;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", stage.path());
    const Result install = run(PTZ_CMAKE, {"--install", PTZ_BUILD_DIR, "--prefix", "/usr"}, env);
    QVERIFY2(install.code == 0, qPrintable(install.output));

    const QString root = stage.path() + "/usr";
    const QString program = root + "/bin/ptz-panel";
    QVERIFY(QFileInfo(program).isExecutable());
    QString privateDir;
    for (QDirIterator it(root, {"libCameraCtrl.so*"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo library(it.next());
        if (library.dir().dirName() == "ptz-panel")
            privateDir = library.absolutePath();
    }
    QVERIFY2(!privateDir.isEmpty(), "no private library directory");
    for (const char *module : {"libptz-gamepad.so", "libptz-http.so", "libptz-osc.so"})
        QVERIFY2(QFile::exists(privateDir + '/' + module), module);

    // The staged program finds its staged library, not the build tree's.
    const Result ldd = run("ldd", {program});
    const QString line = ldd.output.split('\n').filter("libCameraCtrl").value(0);
    QVERIFY2(line.contains(stage.path()) && !line.contains("not found"), qPrintable(ldd.output));

    const Result metainfo =
        run("appstreamcli", {"validate", "--no-net", "--explain",
                             root + "/share/metainfo/org.ptzpanel.PtzPanel.metainfo.xml"});
    QVERIFY2(metainfo.code == 0, qPrintable(metainfo.output));
    QVERIFY(QFile::exists(root + "/share/man/man1/ptz-panel.1.gz"));

    const QString desktop = root + "/share/applications/ptz-panel.desktop";
    const Result validate = run("desktop-file-validate", {desktop});
    QVERIFY2(validate.code == 0 && validate.output.trimmed().isEmpty(),
             qPrintable(validate.output));
    QFile entry(desktop);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    QVERIFY(text.contains("\nName=PTZ Panel\n"));
    QVERIFY(text.contains("\nCategories=AudioVideo;Video;\n"));
    for (int size : IconSizes) {
        const QImage icon(
            QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/ptz-panel.png").arg(root).arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
    }

    QString why;
    QVERIFY2(runsAndOpensCamera(program, &why, privateDir), qPrintable(why));
}

void tst_Install::debianPackage()
{
    if (qEnvironmentVariableIsSet("PTZ_NO_PACKAGE_TEST"))
        QSKIP("packages are not built for this build");
    QTemporaryDir out;
    const Result cpack =
        run("cpack", {"-G", "DEB", "--config", QString(PTZ_BUILD_DIR) + "/CPackConfig.cmake", "-B",
                      out.path()});
    QVERIFY2(cpack.code == 0, qPrintable(cpack.output));
    const QStringList debs = QDir(out.path()).entryList({"*.deb"});
    QCOMPARE(debs.size(), 1);
    const QString deb = out.filePath(debs.first());

    const Result contents = run("dpkg-deb", {"--contents", deb});
    QCOMPARE(contents.code, 0);
    for (const QString &file :
         {QString("./usr/bin/ptz-panel"), QString("/ptz-panel/libCameraCtrl.so"),
          QString("/ptz-panel/libptz-gamepad.so"), QString("/ptz-panel/libptz-http.so"),
          QString("/ptz-panel/libCameraCtrlOnvif.so"), QString("/ptz-panel/libptz-osc.so"),
          QString("./usr/share/applications/ptz-panel.desktop"),
          QString("./usr/share/icons/hicolor/48x48/apps/ptz-panel.png"),
          QString("./usr/share/man/man1/ptz-panel.1.gz"),
          QString("./usr/share/doc/ptz-panel/changelog.gz"),
          QString("./usr/share/doc/ptz-panel/copyright"),
          QString("./usr/share/metainfo/org.ptzpanel.PtzPanel.metainfo.xml")})
        QVERIFY2(contents.output.contains(file), qPrintable(file + "\n" + contents.output));
    QVERIFY(!contents.output.contains(".so.debug") && !contents.output.contains("/include/"));

    const Result depends = run("dpkg-deb", {"--field", deb, "Depends"});
    QCOMPARE(depends.code, 0);
    // The modules' libraries too, though the program opens them only when asked.
    for (const char *package :
         {"libc6", "libstdc++6", "libqt5widgets5", "libqt5gui5", "libqt5core5a", "libudev1",
          "libx11-6", "fonts-liberation2", "libsdl2-2.0-0", "libmicrohttpd12", "libcurl4",
          "libexpat1", "libssl3", "liblo7", "libqt5network5"})
        QVERIFY2(depends.output.contains(package), qPrintable(depends.output));
    QVERIFY2(!depends.output.contains("-dev"), qPrintable(depends.output));
    QCOMPARE(run("dpkg-deb", {"--field", deb, "Package"}).output.trimmed(), QString("ptz-panel"));
    // Debian's own checker has nothing to say of it.
    const Result lintian = run("lintian", {"--fail-on", "error,warning", deb});
    QVERIFY2(lintian.code == 0 && !lintian.output.contains(QRegularExpression(
                                      "^[EW]: ", QRegularExpression::MultilineOption)),
             qPrintable(lintian.output));

    // Installing for real changes the machine: only where CI asks for it, as root.
    if (qgetenv("PTZ_SYSTEM_INSTALL_TEST") != "1" || geteuid() != 0)
        return;
    const Result installed = run("dpkg", {"--install", deb});
    QVERIFY2(installed.code == 0, qPrintable(installed.output));
    QString why;
    const bool ran = runsAndOpensCamera("/usr/bin/ptz-panel", &why);
    const Result removed = run("dpkg", {"--purge", "ptz-panel"});
    QVERIFY2(ran, qPrintable(why));
    QVERIFY2(removed.code == 0, qPrintable(removed.output));
    QVERIFY(!QFile::exists("/usr/bin/ptz-panel"));
    QVERIFY(!QFile::exists("/usr/share/applications/ptz-panel.desktop"));
}

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
