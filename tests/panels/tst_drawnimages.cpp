// SPDX-License-Identifier: GPL-2.0-or-later
// The committed images are what generate_images draws. Qt's raster engine picks its SIMD
// paths at run time, so antialiased edges may differ by a few levels from one CPU to the
// next: the comparison allows that, and nothing more.
#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Rounding in the SIMD paths moves any pixel by a level or two ...
constexpr int RoundingLevels = 4;
// ... and a handful of antialiased edge pixels by more, never by much.
constexpr int MaxPixelsOff = 8;
constexpr int EdgeLevels = 48;

QStringList imagesUnder(const QString &root)
{
    QStringList found;
    for (const QString &folder : {QStringLiteral("image"), QStringLiteral("icons")}) {
        QDirIterator it(root + '/' + folder, {"*.png", "*.bmp"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(root).relativeFilePath(it.next());
    }
    found.sort();
    return found;
}

// Empty when the two images match within the tolerance, else why not.
QString difference(const QImage &committed, const QImage &drawn)
{
    if (committed.size() != drawn.size())
        return QStringLiteral("size %1x%2, drawn %3x%4")
            .arg(committed.width())
            .arg(committed.height())
            .arg(drawn.width())
            .arg(drawn.height());
    const QImage a = committed.convertToFormat(QImage::Format_ARGB32);
    const QImage b = drawn.convertToFormat(QImage::Format_ARGB32);
    int off = 0;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *rowA = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *rowB = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (rowA[x] == rowB[x])
                continue;
            const int d = std::max({std::abs(qRed(rowA[x]) - qRed(rowB[x])),
                                    std::abs(qGreen(rowA[x]) - qGreen(rowB[x])),
                                    std::abs(qBlue(rowA[x]) - qBlue(rowB[x])),
                                    std::abs(qAlpha(rowA[x]) - qAlpha(rowB[x]))});
            if (d <= RoundingLevels)
                continue;
            worst = std::max(worst, d);
            ++off;
        }
    }
    if (worst > EdgeLevels || off > MaxPixelsOff)
        return QStringLiteral("%1 pixels differ, by up to %2 levels").arg(off).arg(worst);
    return {};
}

} // namespace

class tst_DrawnImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawnMatchesCommitted_data();
    void drawnMatchesCommitted();
    void realChangesAreCaught_data();
    void realChangesAreCaught();

private:
    QTemporaryDir drawn;
};

void tst_DrawnImages::initTestCase()
{
    QVERIFY(drawn.isValid());
    // The generator inherits QT_NO_CPU_FEATURE, so each CTest run draws on other SIMD paths.
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedChannels);
    generator.start(QStringLiteral(PTZ_GENERATOR_PATH), {drawn.path()});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(generator.exitCode(), 0);
    QCOMPARE(imagesUnder(drawn.path()), imagesUnder(QStringLiteral(PTZ_SOURCE_DIR "/resources")));
}

void tst_DrawnImages::drawnMatchesCommitted_data()
{
    QTest::addColumn<QString>("image");
    for (const QString &image : imagesUnder(QStringLiteral(PTZ_SOURCE_DIR "/resources")))
        QTest::newRow(qPrintable(image)) << image;
}

void tst_DrawnImages::drawnMatchesCommitted()
{
    QFETCH(QString, image);
    const QImage committed(QStringLiteral(PTZ_SOURCE_DIR "/resources/") + image);
    const QImage redrawn(drawn.filePath(image));
    QVERIFY(!committed.isNull());
    QVERIFY(!redrawn.isNull());
    const QString why = difference(committed, redrawn);
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

// The tolerance must not hide what a change to a drawing looks like.
void tst_DrawnImages::realChangesAreCaught_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("change");
    QTest::newRow("ball recoloured") << "image/icon/ball.png"
                                     << "recolour";
    QTest::newRow("plus sign moved one pixel") << "image/icon/add.png"
                                               << "shift";
    QTest::newRow("pad with a spot") << "image/icon/position.png"
                                     << "spot";
    QTest::newRow("chevron cropped") << "image/icon/arrow.png"
                                     << "crop";
}

void tst_DrawnImages::realChangesAreCaught()
{
    QFETCH(QString, image);
    QFETCH(QString, change);
    const QImage original = QImage(drawn.filePath(image)).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!original.isNull());
    QImage changed = original;
    if (change == "recolour") {
        for (int y = 0; y < changed.height(); ++y)
            for (int x = 0; x < changed.width(); ++x) {
                const QRgb p = changed.pixel(x, y);
                changed.setPixel(x, y, qRgba(qBlue(p), qGreen(p), qRed(p), qAlpha(p)));
            }
    } else if (change == "shift") {
        changed.fill(Qt::transparent);
        QPainter(&changed).drawImage(1, 0, original);
    } else if (change == "spot") {
        QPainter(&changed).fillRect(40, 40, 3, 3, Qt::black);
    } else {
        changed = original.copy(0, 0, original.width(), original.height() - 1);
    }
    QVERIFY(!difference(original, changed).isEmpty());
}

QTEST_MAIN(tst_DrawnImages)
#include "tst_drawnimages.moc"
