#include "CommandLine.h"
#include "DisplayServer.h"
#include "GamepadInput.h"
#include "HttpApi.h"
#include "InputDevices.h"
#include "InstanceClient.h"
#include "InstanceServer.h"
#include "KeyboardInput.h"
#include "LibraryCommands.h"
#include "MainWindow.h"
#include "PanelCommands.h"

#include <QApplication>

#include <cstdio>

namespace {

int report(const Outcome &outcome)
{
    std::fputs(outcome.output.toLocal8Bit().constData(), stdout);
    if (!outcome.error.isEmpty())
        std::fprintf(stderr, "ptz-panel: %s\n", qPrintable(outcome.error));
    if (outcome.exitCode == 2)
        std::fprintf(stderr, "%s\n", qPrintable(CommandLine::usage()));
    return outcome.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.error.isEmpty())
        return report(Outcome::misused(line.error));
    if (line.help || line.version) {
        std::printf("%s\n",
                    line.help ? qPrintable(CommandLine::helpText()) : "ptz-panel " PTZ_VERSION);
        return 0;
    }

    if (!line.cameraEdits.isEmpty()) {
        const Outcome edited = LibraryCommands::editCameras(line.cameraEdits);
        if (edited.exitCode != 0 || line.commands.isEmpty())
            return report(edited);
    }

    InstanceServer instance;
    if (!line.commands.isEmpty() || !instance.claim()) {
        // Commands go to the user's panel, or straight to the camera when none runs; a second
        // panel shows the first instead.
        QCoreApplication app(argc, argv);
        Outcome outcome;
        if (InstanceClient::handOver(line.commands.isEmpty() ? QStringList() : arguments, outcome))
            return report(outcome);
        if (line.commands.isEmpty())
            return report(Outcome::failed("another panel holds " + InstanceServer::lockPath() +
                                          " but does not answer"));
        return report(LibraryCommands::runAll(line.commands));
    }

    chooseDisplayServer();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    // The panel draws nothing with OpenGL; plain raster windows spare it loading the GL
    // stack (tens of MiB and most of the start-up time on a software renderer).
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
    QApplication app(argc, argv);
    reportWindowLimits();
    reportKeyRepeatsAsPresses();
    int exitCode = 0;
    {
        MainWindow window;
        window.show();
        PanelCommands panel(window);
        KeyboardInput keyboard(window);
        GamepadInput gamepad(window);
        whenInputDevicesChange(&gamepad, [&gamepad] { gamepad.lookForControllers(); });
        instance.serve([&panel](const QStringList &handed) { return panel.runAll(handed); });
        HttpApi http(panel);
        if (line.httpPort) {
            const QString why = http.start(line.httpAddress, line.httpPort, line.httpToken);
            if (!why.isEmpty())
                return report(Outcome::failed(why));
        }
        exitCode = app.exec();
    }
    return exitCode;
}
