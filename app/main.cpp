#include "DisplayServer.h"
#include "MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    // The panel draws nothing with OpenGL; plain raster windows spare it loading the GL
    // stack (tens of MiB and most of the start-up time on a software renderer).
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
    chooseDisplayServer();
    QApplication app(argc, argv);
    reportWindowLimits();
    int exitCode = 0;
    {
        MainWindow window;
        window.show();
        exitCode = app.exec();
    }
    return exitCode;
}
