#include "CommandLine.h"

namespace {

bool number(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    value = text.toInt(&ok, 10);
    return ok && value >= low && value <= high;
}

} // namespace

QString CommandLine::usage()
{
    return QStringLiteral(
        "usage: ptz-panel [--camera NAME|INDEX] [--list] [--preset N] [--store N] [--clear N]\n"
        "                 [--home] [--move DIRECTION [--speed 1..8]] [--zoom in|out [--speed "
        "1..7]]\n"
        "                 [--for SECONDS] [--stop] [--position PAN,TILT] [--get-position]\n"
        "                 [--IMAGE N] [--white-balance-auto on|off] [--flicker off|50|60]\n"
        "                 [--reset-image] [--http [ADDRESS:]PORT [--http-token TOKEN]]\n"
        "                 [--add-camera NAME,udp|tcp|serial,HOST[,PORT]] [--remove-camera NAME]\n"
        "                 [--help] [--version]");
}

QString CommandLine::helpText()
{
    return usage() + QStringLiteral(R"(

Without a command: opens the panel, or shows the one already running.
With commands: hands them to the running panel, so that its window and camera stay in step;
without a running panel, carries them out on the camera directly and exits.

Commands, carried out in the order given:
  --camera NAME|INDEX   choose the camera (name or index from --list)
  --list                the cameras, one per line: index and name
  --preset N            recall preset N (0..255)
  --store N             store the camera's position as preset N
  --clear N             clear preset N
  --home                move to the home position
  --move DIRECTION      pan and tilt: left, right, up, down, up-left, up-right, down-left,
                        down-right
  --zoom in|out         zoom
  --speed N             speed of the --move (1..8) or --zoom (1..7) before it; default 4
  --for SECONDS         stop that --move or --zoom after SECONDS; without it the running
                        panel moves until --stop, and without a panel the command moves until
                        it is interrupted
  --stop                stop pan, tilt and zoom
  --position PAN,TILT   move to an absolute position, in the panel's SET/PT units
  --get-position        print the position as PAN,TILT
  --brightness N, --contrast N, --hue N, --saturation N, --sharpness N, --gamma N,
  --backlight N, --white-balance N
                        set an image value, within the camera's range
  --white-balance-auto on|off
  --flicker off|50|60   anti-flicker frequency
  --reset-image         the image values back to the camera's defaults

The panel:
  --http [ADDRESS:]PORT serve the HTTP API (default address 127.0.0.1)
  --http-token TOKEN    require "Authorization: Bearer TOKEN" on every request; needed to
                        listen on any address other than the loopback
  --add-camera NAME,udp|tcp|serial,HOST[,PORT]
                        add a VISCA camera (VISCA over IP on UDP, port 52381 by default;
                        plain VISCA over TCP, port 5678 by default; on a serial port: HOST
                        is its device, PORT its rate, 9600 by default), or replace the one
                        of that name; a running panel lists it at once
  --remove-camera NAME  forget that network camera
  --help, --version

Exit status: 0 done, 1 the camera refused or is absent, 2 usage error.)");
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    int last = -1; // the --move or --zoom that --speed and --for refer to
    const auto fail = [&](const QString &why) {
        line.error = why;
        line.commands.clear();
        return line;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString option = arguments[i];
        if (!option.startsWith("--")) {
            if (option == "-h")
                line.help = true;
            else if (option.startsWith('-'))
                continue; // Qt's own; a value, if any, follows and is not ours either
            else if (i == 0 || !arguments[i - 1].startsWith('-') ||
                     arguments[i - 1].startsWith("--"))
                return fail(QStringLiteral("unexpected argument \"%1\"").arg(option));
            continue;
        }
        const auto value = [&](QString &into) {
            if (i + 1 >= arguments.size())
                return false;
            into = arguments[++i];
            return true;
        };
        QString v;
        Command c;
        int n = 0;
        if (option == "--help") {
            line.help = true;
        } else if (option == "--version") {
            line.version = true;
        } else if (option == "--list" || option == "--home" || option == "--stop" ||
                   option == "--get-position" || option == "--reset-image") {
            c.kind = option == "--list"           ? Command::List
                     : option == "--home"         ? Command::Home
                     : option == "--stop"         ? Command::Stop
                     : option == "--get-position" ? Command::GetPosition
                                                  : Command::ResetImage;
            line.commands.append(c);
        } else if (option == "--camera") {
            if (!value(v) || v.isEmpty())
                return fail("--camera needs a name or an index");
            c.kind = Command::Camera;
            bool isIndex = false;
            c.number = v.toInt(&isIndex, 10);
            c.text = isIndex ? QString() : v;
            if (isIndex && c.number < 0)
                return fail("--camera: no camera has index " + v);
            line.commands.append(c);
        } else if (option == "--preset" || option == "--store" || option == "--clear") {
            if (!value(v) || !number(v, 0, 255, n))
                return fail(option + " needs a preset number from 0 to 255");
            c.kind = option == "--preset"  ? Command::Preset
                     : option == "--store" ? Command::Store
                                           : Command::Clear;
            c.number = n;
            line.commands.append(c);
        } else if (option == "--move") {
            if (!value(v) || Command::directionKey(v) < 0)
                return fail("--move needs a direction: left, right, up, down, up-left, "
                            "up-right, down-left or down-right");
            c.kind = Command::Move;
            c.direction = Command::directionKey(v);
            c.speed = 4;
            line.commands.append(c);
        } else if (option == "--zoom") {
            if (!value(v) || (v != "in" && v != "out"))
                return fail("--zoom needs in or out");
            c.kind = Command::Zoom;
            c.direction = v == "in" ? 1 : -1;
            c.speed = 4;
            line.commands.append(c);
        } else if (option == "--speed") {
            if (last < 0)
                return fail("--speed belongs after a --move or --zoom");
            Command &motion = line.commands[last];
            const int fastest = motion.kind == Command::Move ? 8 : 7;
            if (!value(v) || !number(v, 1, fastest, n))
                return fail(QStringLiteral("--speed needs a number from 1 to %1").arg(fastest));
            motion.speed = n;
        } else if (option == "--for") {
            bool ok = false;
            const double seconds = value(v) ? v.toDouble(&ok) : 0;
            if (last < 0)
                return fail("--for belongs after a --move or --zoom");
            if (!ok || seconds <= 0 || seconds > 3600)
                return fail("--for needs a number of seconds, up to 3600");
            line.commands[last].forMs = int(seconds * 1000);
        } else if (option == "--position") {
            const QStringList parts = value(v) ? v.split(',') : QStringList();
            int pan = 0, tilt = 0;
            if (parts.size() != 2 || !number(parts[0].trimmed(), INT_MIN, INT_MAX, pan) ||
                !number(parts[1].trimmed(), INT_MIN, INT_MAX, tilt))
                return fail("--position needs PAN,TILT as two whole numbers");
            c.kind = Command::Position;
            c.pan = pan;
            c.tilt = tilt;
            line.commands.append(c);
        } else if (Command::imageControls().contains(option.mid(2))) {
            if (!value(v) || !number(v, INT_MIN, INT_MAX, n))
                return fail(option + " needs a whole number");
            c.kind = Command::Image;
            c.text = option.mid(2);
            c.number = n;
            line.commands.append(c);
        } else if (option == "--white-balance-auto") {
            if (!value(v) || (v != "on" && v != "off"))
                return fail("--white-balance-auto needs on or off");
            c.kind = Command::WhiteBalanceAuto;
            c.number = v == "on" ? 1 : 0;
            line.commands.append(c);
        } else if (option == "--flicker") {
            const QStringList modes = {"off", "50", "60"};
            if (!value(v) || !modes.contains(v))
                return fail("--flicker needs off, 50 or 60");
            c.kind = Command::Flicker;
            c.number = int(modes.indexOf(v));
            line.commands.append(c);
        } else if (option == "--http") {
            if (!value(v))
                return fail("--http needs [ADDRESS:]PORT");
            const int colon = int(v.lastIndexOf(':'));
            line.httpAddress = colon < 0 ? QStringLiteral("127.0.0.1") : v.left(colon);
            if (!number(v.mid(colon + 1), 1, 65535, line.httpPort) || line.httpAddress.isEmpty())
                return fail("--http needs a port from 1 to 65535, after an optional address");
        } else if (option == "--add-camera" || option == "--remove-camera") {
            if (!value(v) || v.trimmed().isEmpty())
                return fail(
                    option == "--add-camera"
                        ? QStringLiteral("--add-camera needs NAME,udp|tcp|serial,HOST[,PORT]")
                        : QStringLiteral("--remove-camera needs a name"));
            line.cameraEdits.append({option == "--add-camera", v});
        } else if (option == "--http-token") {
            if (!value(line.httpToken) || line.httpToken.isEmpty())
                return fail("--http-token needs a token");
        } else {
            return fail("unknown option " + option);
        }
        if (option != "--speed" && option != "--for")
            last = !line.commands.isEmpty() &&
                           (line.commands.last().kind == Command::Move ||
                            line.commands.last().kind == Command::Zoom) &&
                           (option == "--move" || option == "--zoom")
                       ? int(line.commands.size()) - 1
                       : -1;
    }
    if (!line.httpToken.isEmpty() && line.httpPort == 0)
        return fail("--http-token goes with --http");
    if (line.httpPort && (!line.commands.isEmpty() || !line.cameraEdits.isEmpty()))
        return fail("--http starts the panel's API: give it without other commands");
    return line;
}
