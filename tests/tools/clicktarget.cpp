// SPDX-License-Identifier: GPL-2.0-or-later
// A plain X client for the window-shape tests: a solid green window at the given place
// that reports each mouse press on stdout.
//   clicktarget X Y WIDTH HEIGHT
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cstdio>

namespace {

class Target : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        std::printf("press %d %d\n", event->x(), event->y());
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 5)
        return 2;
    Target target;
    target.setWindowFlags(Qt::FramelessWindowHint);
    target.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::green);
    target.setPalette(palette);
    target.setGeometry(atoi(argv[1]), atoi(argv[2]), atoi(argv[3]), atoi(argv[4]));
    target.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return app.exec();
}
