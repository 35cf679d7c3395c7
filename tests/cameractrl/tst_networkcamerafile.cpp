// SPDX-License-Identifier: GPL-2.0-or-later
// The file of network cameras and the credentials beside it: quoted fields, ONVIF lines, the
// old file name, and a password file that others could read.
#include "NetworkCameraFile.h"
#include "NetworkCameras.h"

#include <QtTest>

#include <sys/stat.h>

class tst_NetworkCameraFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void parse_data();
    void parse();
    void oldNameIsReadThenReplaced();
    void credentials();

private:
    QString file(const char *name) const { return config->path() + "/ptz-panel/" + name; }
    std::unique_ptr<QTemporaryDir> config;
};

void tst_NetworkCameraFile::init()
{
    config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", config->path().toLocal8Bit());
    qunsetenv("CAMERACTRL_VISCA");
    QDir().mkpath(config->path() + "/ptz-panel");
}

void tst_NetworkCameraFile::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found"); // name, path, user, snapshot and stream of each
    QTest::addColumn<int>("problems");
    QTest::newRow("quotes keep , ; and #")
        << "\"Hall, left; #2\" , onvif, cam.local # the dome\n"
        << QStringList{"Hall, left; #2", "onvif://cam.local:80", "", "", ""} << 0;
    QTest::newRow("doubled quote, quoted user")
        << "\"Say \"\"hi\"\"\", onvif, 10.0.0.9, 8080, \"ad,min\""
        << QStringList{"Say \"hi\"", "onvif://ad,min@10.0.0.9:8080", "ad,min", "", ""} << 0;
    QTest::newRow("spaces inside quotes are kept")
        << "\" Stage \", udp, h" << QStringList{" Stage ", "visca-udp://h:52381", "", "", ""} << 0;
    QTest::newRow("; outside quotes ends a line")
        << "A, onvif, h1; \"B;C\", tcp, h2"
        << QStringList{"A", "onvif://h1:80", "", "", "", "B;C", "visca-tcp://h2:5678", "", "", ""}
        << 0;
    QTest::newRow("bad lines")
        << "A, onvif, h, 80, u, extra\nB, udp, h, 1, user\nC, onvif, h, 0\n\"\", onvif, h\n"
           "D, onvif, h, 443, operator"
        << QStringList{"D", "onvif://operator@h:443", "operator", "", ""} << 4;
    // Where the camera's view is: never in the path, which is shown.
    QTest::newRow("views, anywhere after the address")
        << "S, udp, h, snapshot=http://u:p@h/a.jpg, 1259, \"stream=rtsp://h/1;x=#2\"\n"
           "O, onvif, h, stream=rtsps://h/live, 8000, op"
        << QStringList{"S",
                       "visca-udp://h:1259",
                       "",
                       "http://u:p@h/a.jpg",
                       "rtsp://h/1;x=#2",
                       "O",
                       "onvif://op@h:8000",
                       "op",
                       "",
                       "rtsps://h/live"}
        << 0;
    QTest::newRow("bad views")
        << "A, tcp, h, snapshot=rtsp://h/\nB, tcp, h, stream=file:///etc/passwd\n"
           "C, tcp, h, snapshot=http://h/1, snapshot=http://h/2\nD, udp, h, 1, 2, stream=rtsp://h"
        << QStringList{} << 4;
}

void tst_NetworkCameraFile::parse()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    QFETCH(int, problems);
    std::vector<std::string> said;
    QStringList cameras;
    for (const NetworkCamera &c : NetworkCameraFile::parse(text.toStdString(), "test", &said)) {
        cameras << QString::fromStdString(c.info.name) << QString::fromStdString(c.info.path)
                << QString::fromStdString(c.user) << QString::fromStdString(c.snapshot)
                << QString::fromStdString(c.stream);
        // What the file writes for it reads back as the same camera.
        const auto again = NetworkCameraFile::parse(NetworkCameraFile::line(c), "again");
        QCOMPARE(again.size(), size_t(1));
        QCOMPARE(again.front().info.path, c.info.path);
        QCOMPARE(again.front().info.name, c.info.name);
        QCOMPARE(again.front().snapshot, c.snapshot);
        QCOMPARE(again.front().stream, c.stream);
    }
    QCOMPARE(cameras, found);
    QCOMPARE(int(said.size()), problems);
}

void tst_NetworkCameraFile::oldNameIsReadThenReplaced()
{
    QFile old(file("visca"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("Stage, udp, 10.0.0.7\n");
    old.close();
    QCOMPARE(QString::fromStdString(NetworkCameras::configPath()), file("visca"));
    QCOMPARE(NetworkCameraFile::configured().size(), size_t(1));
    std::string error;
    QVERIFY(NetworkCameras::add("\"Hall; left\", tcp, 10.0.0.8", error));
    QCOMPARE(QString::fromStdString(NetworkCameras::configPath()), file("cameras"));
    QFile now(file("cameras"));
    QVERIFY(now.open(QIODevice::ReadOnly));
    QCOMPARE(now.readAll(),
             QByteArray("Stage, udp, 10.0.0.7\n\"Hall; left\", tcp, 10.0.0.8, 5678\n"));
    QVERIFY(!NetworkCameras::add("X;Y, udp, h", error)); // two cameras in one
}

void tst_NetworkCameraFile::credentials()
{
    std::string error, password;
    const std::string line = "Dome, onvif, 10.0.0.9, 80, admin";
    QVERIFY(NetworkCameras::needsPassword(line));
    QVERIFY(!NetworkCameras::add(line, error)); // not without its password
    QVERIFY(NetworkCameras::add(line, " p#ss, \"word\" ", error));
    QVERIFY(NetworkCameras::add("Gate, onvif, 10.0.0.10, 80, admin", "other", error));
    struct stat info = {};
    QVERIFY(::stat(qPrintable(file("credentials")), &info) == 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0600));
    QVERIFY(NetworkCameras::password("Dome", "admin", password, error));
    QCOMPARE(password, std::string(" p#ss, \"word\" "));
    QVERIFY(!NetworkCameras::password("Dome", "root", password, error)); // another user's
    QVERIFY(error.empty());
    QFile cameras(file("cameras"));
    QVERIFY(cameras.open(QIODevice::ReadOnly) && !cameras.readAll().contains("word"));

    // Readable by others: refused, and said why.
    QVERIFY(::chmod(qPrintable(file("credentials")), 0644) == 0);
    QVERIFY(!NetworkCameras::password("Dome", "admin", password, error));
    QVERIFY2(QString::fromStdString(error).contains("mode 0600"), error.c_str());
    QVERIFY(::chmod(qPrintable(file("credentials")), 0600) == 0);

    // Forgetting the camera forgets its password, and only its own.
    QVERIFY(NetworkCameras::remove("Dome", error));
    QVERIFY(!NetworkCameras::password("Dome", "admin", password, error));
    QVERIFY(NetworkCameras::password("Gate", "admin", password, error));
    QCOMPARE(password, std::string("other"));
}

QTEST_GUILESS_MAIN(tst_NetworkCameraFile)
#include "tst_networkcamerafile.moc"
