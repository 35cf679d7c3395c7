// SPDX-License-Identifier: GPL-2.0-or-later
#include "CommandLine.h"
#include "ControllerModule.h"
#include "DisplayServer.h"
#include "FirstFrame.h"
#include "HttpModule.h"
#include "InputDevices.h"
#include "InstanceClient.h"
#include "InstanceServer.h"
#include "KeyboardInput.h"
#include "LibraryCommands.h"
#include "MainWindow.h"
#include "OscModule.h"
#include "PanelCommands.h"
#include "Preload.h"
#include "Translations.h"
#include "WindowMemory.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Names come from cameras and from whoever configured them: nothing printed can steer the
// terminal.
int report(const Outcome &outcome)
{
    std::fputs(CommandLine::printable(outcome.output, true).toLocal8Bit().constData(), stdout);
    if (!outcome.error.isEmpty())
        std::fprintf(stderr, "ptz-panel: %s\n",
                     CommandLine::printable(outcome.error).toLocal8Bit().constData());
    if (outcome.cause == Outcome::Usage)
        std::fprintf(stderr, "%s\n", qPrintable(CommandLine::usage()));
    return outcome.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine line = CommandLine::parse(arguments);
    if (!line.error.isEmpty())
        return report(Outcome::misused(line.error));
    if (line.help || line.version) {
        std::printf("%s\n",
                    line.help ? qPrintable(CommandLine::helpText()) : "ptz-panel " PTZ_VERSION);
        return 0;
    }

    if (!line.cameraEdits.isEmpty()) {
        const Outcome edited = LibraryCommands::editCameras(line.cameraEdits);
        if (edited.exitCode != 0 || (line.commands.isEmpty() && !line.discover))
            return report(edited);
    }
    if (line.discover)
        return report(LibraryCommands::discover(line.discoverHost));

    QString why;
    if (line.httpPort && !line.readToken(why))
        return report(Outcome::failed(why));

    InstanceServer instance;
    if (!line.commands.isEmpty() || !instance.claim()) {
        if (!instance.refusal().isEmpty())
            return report(Outcome::failed(instance.refusal()));
        // Commands go to the user's panel, or straight to the camera when none runs; a second
        // panel shows the first instead, or starts serving HTTP there.
        QCoreApplication app(argc, argv);
        QStringList handed = line.commands.isEmpty() ? QStringList() : arguments;
        if (line.httpPort) {
            handed = QStringList{"--http", line.httpAddress + ':' + QString::number(line.httpPort)};
            if (!line.httpToken.isEmpty())
                handed << "--http-token" << line.httpToken;
        }
        if (line.commands.isEmpty() && (line.oscPort || line.guardProgram) && !line.httpPort)
            return report(Outcome::failed(QStringLiteral("a panel runs already; %1 is taken by "
                                                         "a panel as it starts")
                                              .arg(line.oscPort ? "--osc" : "--guard-program")));
        Outcome outcome;
        if (InstanceClient::handOver(handed, outcome))
            return report(outcome);
        if (line.commands.isEmpty())
            return report(Outcome::failed("another panel holds " + InstanceServer::lockPath() +
                                          " but does not answer"));
        return report(LibraryCommands::runAll(line.commands));
    }

    chooseDisplayServer();
    if (!displayAvailable(line.platform, why))
        return report(Outcome::failed(why));
    Preload fonts(Preload::Fonts);
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    // The panel draws nothing with OpenGL; plain raster windows spare it loading the GL
    // stack (tens of MiB and most of the start-up time on a software renderer).
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
    QApplication app(argc, argv);
    const Preload bus(Preload::SessionBus);
    Translations::install(QLocale::system());
    reportWindowLimits();
    reportKeyRepeatsAsPresses();
    int exitCode = 0;
    {
        FirstFrame::holdPlugins();
        fonts.wait();
        MainWindow window;
        WindowMemory::restore(window);
        window.show();
        PanelCommands panel(window);
        panel.guardProgram(line.guardProgram);
        KeyboardInput keyboard(window);
        // SDL, libmicrohttpd and liblo load only when a controller is seen, or --http or --osc
        // asks.
        ControllerModule gamepad(window);
        whenInputDevicesChange(&gamepad,
                               [&gamepad](bool joystick) { gamepad.inputDeviceChanged(joystick); });
        QTimer::singleShot(0, &gamepad, [&gamepad] {
            if (joystickAttached()) // once the loop runs: looking through udev takes time too
                gamepad.inputDeviceChanged(true);
        });
        HttpModule http(panel);
        instance.serve([&panel, &http](const QStringList &handed, InstanceServer::Reply reply) {
            const CommandLine asked = CommandLine::parse(handed);
            if (asked.error.isEmpty() && asked.httpPort) {
                const QString why = http.start(asked.httpAddress, asked.httpPort, asked.httpToken);
                reply(why.isEmpty() ? Outcome{} : Outcome::failed(why));
                return;
            }
            panel.runAll(handed, std::move(reply));
        });
        if (line.httpPort) {
            const QString why = http.start(line.httpAddress, line.httpPort, line.httpToken);
            if (!why.isEmpty() && !http.unavailable()) // a missing module is said already
                return report(Outcome::failed(why));
        }
        OscModule osc(panel);
        if (line.oscPort) {
            const QString why =
                osc.start(line.oscAddress, line.oscPort, line.oscAllowed, line.oscFeedback);
            if (!why.isEmpty() && !osc.unavailable()) // a missing module is said already
                return report(Outcome::failed(why));
        }
        exitCode = app.exec();
        WindowMemory::save(window);
    }
    return exitCode;
}
