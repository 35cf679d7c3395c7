// SPDX-License-Identifier: GPL-2.0-or-later
// The yardstick for the panel's start-up and memory: a bare Qt window with the same flags,
// size and attributes, and nothing in it. With --raster it also skips the OpenGL surface,
// as the panel does, which shows the panel's own cost.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    if (argc > 1 && QByteArray(argv[1]) == "--raster")
        QApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("MainWindow");
    window.resize(491, 417);
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setAttribute(Qt::WA_TranslucentBackground, true);
    window.show();
    return app.exec();
}
