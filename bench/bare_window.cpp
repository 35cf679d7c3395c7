// SPDX-License-Identifier: GPL-2.0-or-later
// The yardsticks for the panel's start-up and memory: a bare Qt window with the same flags,
// size and attributes, and nothing in it. With --raster it also skips the OpenGL surface,
// as the panel does, which shows the panel's own cost. With --floor it is a raster window
// holding one label and one slider: the least a Qt widgets panel draws, text included.
#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    if (mode == "--raster" || mode == "--floor")
        QApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("MainWindow");
    window.resize(491, 417);
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setAttribute(Qt::WA_TranslucentBackground, true);
    if (mode == "--floor") {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("Brightness")));
        layout->addWidget(new QSlider(Qt::Horizontal));
    }
    window.show();
    return app.exec();
}
