// SPDX-License-Identifier: GPL-2.0-or-later
// Paints every image the program compiles in, to its size and look, and writes them as PNG
// (the background as a bitmap, which reads faster) under OUTDIR/image/; and the application icon at
// the usual sizes, under OUTDIR/icons/. The output is the same from run to run (no text, no clock,
// a fixed noise seed), so the committed files can be checked against a fresh run.
//
//   generate_images OUTDIR
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdint>
#include <cstdio>
#include <functional>

namespace {

const QColor Pictogram(152, 152, 152);
const QColor KeyGrey(80, 80, 80);
const QColor Glyph(226, 222, 222);

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Paints on a fresh transparent canvas of the given size.
QImage paint(int width, int height, const std::function<void(QPainter &)> &draw)
{
    QImage image = canvas(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return image;
}

QPen stroke(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Dark grey fine noise from a fixed-seed generator: four close shades in a palette.
QImage noise(int width, int height, uint32_t seed)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable({qRgb(43, 43, 45), qRgb(47, 47, 49), qRgb(51, 51, 53), qRgb(56, 56, 58)});
    uint32_t state = seed;
    for (int y = 0; y < height; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const uint32_t r = state >> 24;
            line[x] = r < 150 ? 1 : r < 200 ? 0 : r < 245 ? 2 : 3;
        }
    }
    return image;
}

QImage key(int width, int height, const std::function<void(QPainter &)> &glyph)
{
    return paint(width, height, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(KeyGrey);
        p.drawRoundedRect(QRectF(0, 0, width, height), 2, 2);
        glyph(p);
    });
}

QImage chevron(int width, int height, const QColor &colour, const QPolygonF &points, qreal pen)
{
    return paint(width, height, [&](QPainter &p) {
        p.setPen(stroke(colour, pen));
        p.drawPolyline(points);
    });
}

void plusMinus(QPainter &p, const QRectF &box, bool plus, const QColor &colour, qreal bar)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QPointF c = box.center();
    p.drawRect(QRectF(box.left(), c.y() - bar / 2, box.width(), bar));
    if (plus)
        p.drawRect(QRectF(c.x() - bar / 2, box.top(), bar, box.height()));
}

void magnifier(QPainter &p, const QRectF &lens, const QPointF &handleEnd, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(stroke(Pictogram, width));
    p.drawEllipse(lens);
    const QPointF c = lens.center();
    const qreal r = lens.width() / 2;
    p.setPen(stroke(Pictogram, width * 1.4));
    p.drawLine(c + QPointF(r, r) * 0.72, handleEnd);
}

void doubleArrow(QPainter &p, const QPointF &from, const QPointF &to, qreal width)
{
    p.setPen(stroke(Pictogram, width));
    p.drawLine(from, to);
    const QLineF line(from, to);
    for (const QLineF &end : {line, QLineF(to, from)}) {
        QLineF wing = QLineF(end.p2(), end.p1());
        wing.setLength(width * 3);
        for (qreal angle : {35.0, -35.0}) {
            QLineF w = wing;
            w.setAngle(wing.angle() + angle);
            p.drawLine(w);
        }
    }
}

void sun(QPainter &p, const QPointF &c, qreal r)
{
    p.setPen(stroke(Pictogram, 1.2));
    p.setBrush(Pictogram);
    p.drawEllipse(c, r, r);
    for (int i = 0; i < 8; ++i) {
        QLineF ray(c, c + QPointF(r * 2.1, 0));
        ray.setAngle(i * 45.0);
        p.drawLine(ray.pointAt(0.7), ray.p2());
    }
}

struct Picture
{
    const char *path;
    std::function<QImage()> make;
};

const Picture pictures[] = {
    // Stored as a bitmap of four bits a pixel: inflating the noise as a PNG cost more than all
    // else the first frame decodes; read as a bitmap it is a copy, the same pixels.
    {"background/mainwin.bmp", [] { return noise(491, 417, 0x5eed1234u); }},
    {"background/settingwin.png",
     [] {
         return paint(350, 510, [](QPainter &p) {
             p.setPen(QPen(QColor(70, 70, 72), 1));
             p.setBrush(QColor(48, 48, 50));
             p.drawRect(QRectF(0.5, 0.5, 349, 509));
         });
     }},
    {"icon/Hide_line.png",
     [] {
         return paint(19, 755, [](QPainter &p) {
             p.fillRect(QRect(0, 0, 19, 755), QColor(48, 64, 88));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(184, 196, 214));
             for (int dy : {-9, 0, 9})
                 p.drawEllipse(QPointF(9.5, 377.5 + dy), 2.2, 2.2);
         });
     }},
    {"icon/position.png",
     [] {
         return paint(95, 95, [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(100, 150, 235));
             p.drawRoundedRect(QRectF(0, 0, 95, 95), 20, 20);
             p.setBrush(Qt::white);
             const QPointF c(47.5, 47.5);
             for (int i = 0; i < 4; ++i) {
                 p.save();
                 p.translate(c);
                 p.rotate(90.0 * i);
                 p.drawPolygon(QPolygonF({QPointF(0, -42), QPointF(-8, -32), QPointF(8, -32)}));
                 p.restore();
             }
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(36, 52, 96), 5));
             p.drawEllipse(c, 13, 13);
         });
     }},
    {"icon/line.png",
     [] {
         QImage image = canvas(59, 417);
         image.fill(QColor(255, 255, 255, 6));
         return image;
     }},
    {"icon/close.png",
     [] {
         return key(36, 14, [](QPainter &p) {
             p.setPen(stroke(Glyph, 1.4));
             p.drawLine(QPointF(15, 4), QPointF(21, 10));
             p.drawLine(QPointF(21, 4), QPointF(15, 10));
         });
     }},
    {"icon/arrow_up.png",
     [] {
         return key(36, 14, [](QPainter &p) {
             p.setPen(stroke(Glyph, 1.4));
             p.drawPolyline(QPolygonF({QPointF(14, 9), QPointF(18, 5), QPointF(22, 9)}));
         });
     }},
    // Stay-on-top switched off: the same key, dimmed, its arrow laid down flat.
    {"icon/arrow_up_off.png",
     [] {
         return paint(36, 14, [](QPainter &p) {
             p.setPen(QPen(QColor(110, 110, 110), 1));
             p.setBrush(QColor(45, 45, 45));
             p.drawRoundedRect(QRectF(0.5, 0.5, 35, 13), 2, 2);
             p.setPen(stroke(QColor(130, 130, 130), 1.4));
             p.drawLine(QPointF(14, 8), QPointF(22, 8));
         });
     }},
    {"icon/setting.png",
     [] {
         return key(36, 14, [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Glyph);
             for (int dx : {-5, 0, 5})
                 p.drawEllipse(QPointF(18 + dx, 7), 1.4, 1.4);
         });
     }},
    {"icon/arrow.png",
     [] {
         return chevron(20, 20, QColor(150, 150, 150),
                        QPolygonF({QPointF(5, 8), QPointF(10, 13), QPointF(15, 8)}), 2);
     }},
    {"icon/arrow_left.png",
     [] {
         return chevron(10, 18, Qt::white,
                        QPolygonF({QPointF(8, 2), QPointF(2, 9), QPointF(8, 16)}), 2);
     }},
    {"icon/arrow_right.png",
     [] {
         return chevron(10, 18, Qt::white,
                        QPolygonF({QPointF(2, 2), QPointF(8, 9), QPointF(2, 16)}), 2);
     }},
    {"icon/6.png",
     [] {
         return paint(201, 200, [](QPainter &p) {
             magnifier(p, QRectF(25, 25, 110, 110), QPointF(180, 180), 16);
         });
     }},
    {"icon/add.png",
     [] {
         return paint(49, 49,
                      [](QPainter &p) { plusMinus(p, QRectF(4, 4, 41, 41), true, Pictogram, 9); });
     }},
    {"icon/redue.png",
     [] {
         return paint(49, 49,
                      [](QPainter &p) { plusMinus(p, QRectF(4, 4, 41, 41), false, Pictogram, 9); });
     }},
    {"icon/0.png",
     [] {
         return paint(126, 146, [](QPainter &p) {
             p.setPen(stroke(Pictogram, 8));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(13, 14, 100, 66), 12, 12);
             p.drawEllipse(QPointF(63, 47), 19, 19);
             p.drawLine(QPointF(63, 80), QPointF(63, 112));
             p.drawLine(QPointF(63, 112), QPointF(28, 138));
             p.drawLine(QPointF(63, 112), QPointF(98, 138));
         });
     }},
    {"icon/1.png",
     [] {
         return paint(200, 200,
                      [](QPainter &p) { doubleArrow(p, QPointF(25, 100), QPointF(175, 100), 12); });
     }},
    {"icon/2.png",
     [] {
         return paint(200, 200,
                      [](QPainter &p) { doubleArrow(p, QPointF(100, 25), QPointF(100, 175), 12); });
     }},
    {"icon/3.png",
     [] {
         return paint(187, 130, [](QPainter &p) {
             magnifier(p, QRectF(40, 12, 80, 80), QPointF(150, 122), 10);
             plusMinus(p, QRectF(62, 34, 36, 36), true, Pictogram, 8);
         });
     }},
    {"icon/4.png",
     [] {
         return paint(187, 130, [](QPainter &p) {
             magnifier(p, QRectF(40, 12, 80, 80), QPointF(150, 122), 10);
             plusMinus(p, QRectF(62, 34, 36, 36), false, Pictogram, 8);
         });
     }},
    {"icon/5.png",
     [] {
         return paint(200, 200, [](QPainter &p) {
             p.setPen(stroke(Pictogram, 12));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF({QPointF(30, 95), QPointF(100, 30), QPointF(170, 95)}));
             p.drawPolyline(QPolygonF(
                 {QPointF(50, 85), QPointF(50, 170), QPointF(150, 170), QPointF(150, 85)}));
         });
     }},
    {"icon/00.png",
     [] {
         return paint(130, 130, [](QPainter &p) {
             p.setPen(stroke(Pictogram, 10));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(65, 65), 50, 50);
             p.setPen(Qt::NoPen);
             p.setBrush(Pictogram);
             p.drawEllipse(QPointF(65, 65), 14, 14);
         });
     }},
    {"icon/light.png", [] { return paint(20, 20, [](QPainter &p) {
                                sun(p, {10, 10}, 4);
                            }); }},
    {"icon/light_add.png",
     [] {
         return paint(20, 20, [](QPainter &p) {
             sun(p, {8, 10}, 3);
             plusMinus(p, QRectF(13, 12, 6, 6), true, Pictogram, 2);
         });
     }},
    {"icon/light_reduce.png",
     [] {
         return paint(20, 20, [](QPainter &p) {
             sun(p, {8, 10}, 3);
             plusMinus(p, QRectF(13, 12, 6, 6), false, Pictogram, 2);
         });
     }},
    {"icon/ball.png",
     [] {
         return paint(20, 20, [](QPainter &p) {
             QLinearGradient gradient(2, 0, 18, 0);
             gradient.setColorAt(0, QColor(117, 165, 249));
             gradient.setColorAt(1, QColor(86, 133, 215));
             p.setPen(Qt::NoPen);
             p.setBrush(gradient);
             p.drawEllipse(QRectF(2, 2, 16, 16));
         });
     }},
    {"icon/hide.png",
     [] {
         return paint(147, 80, [](QPainter &p) {
             p.setPen(stroke(Pictogram, 8));
             for (qreal x : {45.0, 85.0})
                 p.drawPolyline(QPolygonF({QPointF(x, 15), QPointF(x + 25, 40), QPointF(x, 65)}));
         });
     }},
};

// The application icon: the joystick's blue pad with its arrows and ring on a dark key.
QImage appIcon(int size)
{
    return paint(size, size, [size](QPainter &p) {
        const qreal s = size / 64.0;
        p.scale(s, s);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(39, 39, 39));
        p.drawRoundedRect(QRectF(1, 1, 62, 62), 12, 12);
        p.setBrush(QColor(100, 150, 235));
        p.drawRoundedRect(QRectF(8, 8, 48, 48), 10, 10);
        p.setBrush(Qt::white);
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(32, 32);
            p.rotate(90.0 * i);
            p.drawPolygon(QPolygonF({QPointF(0, -21), QPointF(-5.5, -14), QPointF(5.5, -14)}));
            p.restore();
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(36, 52, 96), 3.5));
        p.drawEllipse(QPointF(32, 32), 7, 7);
    });
}

const int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]) + "/image");
    int failures = 0;
    for (const Picture &picture : pictures) {
        const QString path = out.filePath(QString::fromLatin1(picture.path));
        QDir().mkpath(QFileInfo(path).absolutePath());
        // The format follows the name.
        if (!picture.make().save(path, nullptr, 9)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    QDir().mkpath(QString::fromLocal8Bit(argv[1]) + "/icons");
    for (int size : IconSizes) {
        const QString path =
            QString::fromLocal8Bit(argv[1]) + QStringLiteral("/icons/ptz-panel-%1.png").arg(size);
        if (!appIcon(size).save(path, "PNG", 9)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
