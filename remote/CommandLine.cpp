// SPDX-License-Identifier: GPL-2.0-or-later
#include "CommandLine.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char *TokenVariable = "PTZ_PANEL_HTTP_TOKEN";
constexpr int MaxTokenFileBytes = 4096;

// Qt's own options, left to the application object: these take a value (also as -style=X) ...
const QStringList QtValueOptions = {
    "-platform",
    "-platformpluginpath",
    "-platformtheme",
    "-plugin",
    "-qwindowgeometry",
    "-qwindowicon",
    "-qwindowtitle",
    "-session",
    "-style",
    "-stylesheet",
    "-display",
    "-geometry",
    "-title",
    "-name",
    "-visual",
    "-qmljsdebugger",
    "-fn",
    "-font",
    "-bg",
    "-background",
    "-fg",
    "-foreground",
    "-btn",
    "-button",
    "-im",
    "-inputstyle",
    "-ncols",
};
// ... and these take none.
const QStringList QtFlags = {"-reverse", "-widgetcount", "-sync", "-nograb",
                             "-dograb",  "-testability", "-cmap"};

bool number(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    value = text.toInt(&ok, 10);
    return ok && value >= low && value <= high;
}

// A preset by number, or by a name it may have (`text`, looked up when it runs). False, with
// what was wrong with a name in `text`, when it is neither.
bool presetOf(const QString &given, Command &c)
{
    bool isNumber = false;
    const int n = given.toInt(&isNumber, 10);
    Command::Value wrong;
    if (isNumber) {
        c.number = n;
        return c.check(wrong);
    }
    if (given.isEmpty())
        return false;
    if (const QString problem = Command::presetNameProblem(given); !problem.isEmpty()) {
        c.text = problem;
        return false;
    }
    c.text = given;
    return true;
}

// A number of seconds as milliseconds or the like; NAN when it is none.
double secondsOf(const QString &text)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    return ok ? seconds : NAN;
}

// A tour's step, PRESET:DWELL[:SPEED|:SECONDSs]: read from the right, so that a preset's name
// may hold a ':'.
bool stepOf(const QString &given, Command::Cue &cue)
{
    QStringList parts = given.split(':');
    bool isNumber = false;
    if (parts.size() >= 3 && (parts[parts.size() - 2].toDouble(&isNumber), isNumber)) {
        const QString last = parts.takeLast();
        if (last.endsWith('s'))
            cue.seconds = secondsOf(last.chopped(1));
        else
            cue.speed = last.toInt(&isNumber, 10) && isNumber ? last.toInt() : -1;
    }
    if (parts.size() < 2)
        return false;
    cue.dwell = secondsOf(parts.takeLast());
    cue.preset = parts.join(':');
    return true;
}

} // namespace

QString CommandLine::usage()
{
    return QStringLiteral(
        "usage: ptz-panel [--camera NAME|INDEX] [--on NAME|INDEX] [--list] [--force] "
        "[--preset P [--speed N|--duration S]] [--help]\n"
        "    [--store P [--speed N]] [--clear P] [--name-preset P NAME] [--list-presets] "
        "[--export-presets|--import-presets FILE]\n"
        "    [--home] [--stop] [--for SECONDS] [--move DIRECTION [--speed 1..8]] "
        "[--zoom in|out [--speed 1..7]] [--get-position]\n"
        "    [--position PAN,TILT] [--IMAGE N] [--white-balance-auto on|off] "
        "[--flicker off|50|60] [--reset-image] [--tally STATE]\n"
        "    [--define-shot NAME CAMERA:PRESET...] [--shot NAME] "
        "[--define-tour NAME CAMERA PRESET:DWELL[:SPEED]... [--loop]] [--version]\n"
        "    [--tour NAME] [--stop-tour [NAME]] [--list-shots|--list-tours] "
        "[--delete-shot|--delete-tour NAME] [--add-camera CAMERA]\n"
        "    [--remove-camera NAME] [--discover [HOST[:PORT]|INTERFACE]] [--guard-program] "
        "[--http [ADDRESS:]PORT] [--osc [ADDRESS:]PORT]");
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
  --preset P            recall preset P: a number (0..255) or a preset's name, as
                        wherever a preset is given
  --speed N             after --preset: glide there at speed N (1..8; 8 is the camera's
                        fastest), pan, tilt and zoom arriving together; after --store: the
                        preset's own speed, used whenever it is recalled
  --duration SECONDS    after --preset: glide there in SECONDS (0.1..60), or as fast as the
                        camera can; after --shot or --define-shot: see there
  --store P             store the camera's position as preset P
  --clear P             clear preset P
  --name-preset P NAME  name preset P (up to 64 characters; "" takes the name away)
  --list-presets        the presets kept, one per line: number, stored or empty,
                        PAN,TILT,ZOOM ("-" where not known), speed, name
  --export-presets FILE the camera's presets into FILE (JSON; other cameras' stay in it),
                        and the shots and tours
  --import-presets FILE the camera's presets from FILE, and the shots and tours it holds; a
                        file that does not parse changes nothing
  --home                move to the home position
  --move DIRECTION      pan and tilt: left, right, up, down, up-left, up-right, down-left,
                        down-right
  --zoom in|out         zoom
  --speed N             speed of the --move (1..8) or --zoom (1..7) before it; default 4
                        (of a --preset or --store: see above)
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
  --tally off|preview|program
                        the camera's tally: shown in the running panel's frame line and
                        lit on the camera where it has a tally lamp
  --define-shot NAME CAMERA:PRESET [CAMERA:PRESET ...]
                        keep shot NAME: each camera (name or index) to its preset (number or
                        name), up to 16 cameras; with --duration S after it, over S seconds
                        (0.1..600)
  --shot NAME           recall shot NAME: every camera at once; with --duration S after it
                        (or one it was defined with), all glide to arrive together
  --list-shots          the shots, one per line
  --delete-shot NAME    forget shot NAME
  --define-tour NAME CAMERA PRESET:DWELL[:SPEED] [PRESET:DWELL[:SPEED] ...]
                        keep tour NAME of CAMERA: to each preset in turn (at SPEED 1..8, or
                        over a time: 2:5:3s), staying DWELL seconds (0.1..600) once there;
                        up to 64 steps; with --loop after it, round and round
  --tour NAME           start tour NAME; anything else asked of its camera ends it. Without
                        a panel, the command runs it until it is done or interrupted
  --stop-tour [NAME]    end tour NAME, or every tour, where its camera is
  --list-tours          the tours, one per line, and which are running
  --delete-tour NAME    forget tour NAME
  --on NAME|INDEX       the commands after it act on that camera, without changing the
                        running panel's selection
  --force               the commands after it move a camera on program even with
                        --guard-program

The panel:
  --http [ADDRESS:]PORT serve the HTTP API (default address 127.0.0.1); given while a
                        panel runs, that panel starts serving it
  --http-token-file FILE
                        require "Authorization: Bearer TOKEN" on every request, TOKEN being
                        the first line of FILE (readable by you alone: mode 0600); needed to
                        listen on any address other than the loopback. PTZ_PANEL_HTTP_TOKEN
                        gives the token too
  --http-token TOKEN    the same, with the token itself (other users can see it)
  --add-camera NAME,udp|tcp|serial,HOST[,PORT]
                        add a VISCA camera (VISCA over IP on UDP, port 52381 by default;
                        plain VISCA over TCP, port 5678 by default; on a serial port: HOST
                        is its device, PORT its rate, 9600 by default), or replace the one
                        of that name; a running panel lists it at once
  --add-camera NAME,onvif,HOST[,PORT[,USER]]
                        add an ONVIF camera (port 80 by default); with a USER, the password
                        is asked on the terminal (or read from standard input) and kept in
                        a file only you can read. A field may be quoted: "Hall, left".
                        Either line may end in snapshot=URL (a JPEG over HTTP) and
                        stream=URL (RTSP): where presets' pictures and live view come from
  --remove-camera NAME  forget that network camera
  --osc [ADDRESS:]PORT  take OSC messages on UDP (default address 127.0.0.1)
  --osc-allow HOST[,HOST]
                        the senders taken besides the loopback; needed to listen elsewhere
  --osc-feedback HOST:PORT
                        send the panel's events there as OSC messages
  --guard-program       remote moves and preset recalls on a camera on program are refused
                        unless forced
  --discover [HOST[:PORT]|INTERFACE[,INTERFACE]]
                        list the ONVIF and VISCA cameras that answer on the local subnets (or
                        on the interfaces named), or at HOST (ONVIF at port 3702, VISCA at
                        UDP 52381, TCP 52381 and TCP 5678, or all at PORT), as lines for
                        --add-camera
  --help, --version

Exit status: 0 done, 1 the camera refused or is absent (or the running panel does not
answer within 5 s), 2 usage error.)");
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    int last = -1; // the --move or --zoom that --speed and --for refer to
    QString on;    // --on: the camera the commands after it go to
    bool force = false;
    const auto fail = [&](const QString &why) {
        line.error = why;
        line.commands.clear();
        return line;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString option = arguments[i];
        if (!option.startsWith("--")) {
            const QString name = option.section('=', 0, 0);
            if (option == "-h") {
                line.help = true;
            } else if (QtFlags.contains(option)) {
                // Qt's, without a value
            } else if (QtValueOptions.contains(name) && name != option) {
                if (name == "-platform")
                    line.platform = option.section('=', 1);
            } else if (QtValueOptions.contains(option)) {
                if (i + 1 >= arguments.size())
                    return fail(option + " needs a value");
                if (option == "-platform")
                    line.platform = arguments[i + 1];
                ++i; // Qt's too
            } else if (option.startsWith('-')) {
                return fail("unknown option " + option);
            } else {
                return fail(QStringLiteral("unexpected argument \"%1\"").arg(option));
            }
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
        c.on = on;
        c.force = force;
        int n = 0;
        Command::Value wrong;
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
            c.kind = option == "--preset"  ? Command::Preset
                     : option == "--store" ? Command::Store
                                           : Command::Clear;
            if (!presetOf(value(v) ? v : QString(), c))
                return fail(option + " needs " + Command::needs(Command::PresetValue, c.kind) +
                            (c.text.isEmpty() ? QString() : " (" + c.text + ")"));
            line.commands.append(c);
        } else if (option == "--move" || option == "--zoom") {
            c.kind = option == "--move" ? Command::Move : Command::Zoom;
            value(v);
            c.direction = c.kind == Command::Move
                              ? Command::directionKey(v)
                              : Command::indexOf(Command::zoomDirections(), v) - 1;
            c.speed = Command::DefaultSpeed;
            if (!c.check(wrong))
                return fail(option + " needs " + Command::needs(wrong, c.kind));
            line.commands.append(c);
        } else if (option == "--speed") {
            if (last < 0 || Command::isShow(line.commands[last].kind))
                return fail("--speed belongs after a --move, --zoom, --preset or --store");
            Command &motion = line.commands[last];
            if (motion.seconds > 0)
                return fail("give a preset either --speed or --duration");
            motion.speed = value(v) && number(v, INT_MIN, INT_MAX, n) && n ? n : -1;
            if (!motion.check(wrong))
                return fail("--speed needs " + Command::needs(Command::SpeedValue, motion.kind));
        } else if (option == "--duration") {
            const double seconds = value(v) ? secondsOf(v) : NAN;
            const Command::Kind kind = last < 0 ? Command::List : line.commands[last].kind;
            if (kind != Command::Preset && kind != Command::Shot && kind != Command::DefineShot)
                return fail("--duration belongs after a --preset, --shot or --define-shot");
            if (line.commands[last].speed)
                return fail("give a preset either --speed or --duration");
            line.commands[last].seconds = seconds == 0 ? NAN : seconds;
            if (!line.commands[last].check(wrong))
                return fail("--duration needs " + Command::needs(Command::DurationValue, kind));
        } else if (option == "--name-preset") {
            QString name;
            c.kind = Command::NamePreset;
            if (!value(v) || !presetOf(v, c) || !value(name))
                return fail("--name-preset needs a preset (number or name) and a name");
            if (const QString problem = Command::presetNameProblem(name); !problem.isEmpty())
                return fail("--name-preset: " + problem);
            c.name = name;
            line.commands.append(c);
        } else if (option == "--define-shot" || option == "--define-tour") {
            const bool tour = option == "--define-tour";
            c.kind = tour ? Command::DefineTour : Command::DefineShot;
            if (!value(c.name) || (tour && !value(c.text)))
                return fail(tour ? QStringLiteral("--define-tour needs NAME CAMERA PRESET:DWELL...")
                                 : QStringLiteral("--define-shot needs NAME CAMERA:PRESET..."));
            while (i + 1 < arguments.size() && !arguments[i + 1].startsWith("--")) {
                const QString given = arguments[++i];
                Command::Cue cue;
                const int colon = int(given.lastIndexOf(':'));
                if (tour ? !stepOf(given, cue) : colon <= 0)
                    return fail(
                        QStringLiteral("%1: %2 is no %3")
                            .arg(option, given, tour ? "PRESET:DWELL[:SPEED]" : "CAMERA:PRESET"));
                if (!tour) {
                    cue.camera = given.left(colon);
                    cue.preset = given.mid(colon + 1);
                    cue.joined = true;
                }
                c.cues.append(cue);
            }
            if (!c.check(wrong))
                return fail(wrong == Command::ShowValue
                                ? option + ": " + Command::showNameProblem(c.name)
                                : option + " needs " + Command::needs(wrong, c.kind));
            line.commands.append(c);
        } else if (option == "--shot" || option == "--tour" || option == "--delete-shot" ||
                   option == "--delete-tour" || option == "--stop-tour") {
            c.kind = option == "--shot"          ? Command::Shot
                     : option == "--tour"        ? Command::Tour
                     : option == "--delete-shot" ? Command::DeleteShot
                     : option == "--delete-tour" ? Command::DeleteTour
                                                 : Command::StopTour;
            // Every tour, without a name.
            if (c.kind == Command::StopTour
                    ? i + 1 < arguments.size() && !arguments[i + 1].startsWith('-') &&
                          !value(c.name)
                    : !value(c.name))
                return fail(option + " needs a name");
            if (!c.check(wrong))
                return fail(option + ": " + Command::showNameProblem(c.name));
            line.commands.append(c);
        } else if (option == "--list-shots" || option == "--list-tours") {
            c.kind = option == "--list-shots" ? Command::ListShots : Command::ListTours;
            line.commands.append(c);
        } else if (option == "--loop") {
            if (last < 0 || line.commands[last].kind != Command::DefineTour)
                return fail("--loop belongs after a --define-tour");
            line.commands[last].loop = true;
        } else if (option == "--list-presets") {
            c.kind = Command::ListPresets;
            line.commands.append(c);
        } else if (option == "--export-presets" || option == "--import-presets") {
            if (!value(v) || v.isEmpty())
                return fail(option + " needs a file");
            c.kind = option == "--export-presets" ? Command::ExportPresets : Command::ImportPresets;
            c.text = v;
            line.commands.append(c);
        } else if (option == "--for") {
            const double seconds = value(v) ? secondsOf(v) : NAN;
            if (last < 0 || (line.commands[last].kind != Command::Move &&
                             line.commands[last].kind != Command::Zoom))
                return fail("--for belongs after a --move or --zoom");
            Command &motion = line.commands[last];
            // Past what a number of milliseconds holds is past the bound too.
            motion.forMs = std::isfinite(seconds) && seconds > 0 && seconds <= 3600
                               ? std::max(1, int(seconds * 1000))
                               : 0;
            if (!motion.check(wrong))
                return fail("--for needs " + Command::needs(Command::ForValue, motion.kind));
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
        } else if (option == "--white-balance-auto" || option == "--flicker" ||
                   option == "--tally") {
            c.kind = option == "--flicker" ? Command::Flicker
                     : option == "--tally" ? Command::Tally
                                           : Command::WhiteBalanceAuto;
            value(v);
            c.number = Command::indexOf(c.kind == Command::Flicker ? Command::flickerModes()
                                        : c.kind == Command::Tally ? Command::tallyStates()
                                                                   : Command::switchStates(),
                                        v);
            if (!c.check(wrong))
                return fail(option + " needs " + Command::needs(wrong, c.kind));
            line.commands.append(c);
        } else if (option == "--on") {
            if (!value(v) || v.isEmpty())
                return fail("--on needs a camera's name or index");
            on = v;
        } else if (option == "--force") {
            force = true;
        } else if (option == "--guard-program") {
            line.guardProgram = true;
        } else if (option == "--osc") {
            if (!value(v))
                return fail("--osc needs [ADDRESS:]PORT");
            const int colon = int(v.lastIndexOf(':'));
            line.oscAddress = colon < 0 ? QStringLiteral("127.0.0.1") : v.left(colon);
            if (!number(v.mid(colon + 1), 1, 65535, line.oscPort) || line.oscAddress.isEmpty())
                return fail("--osc needs a port from 1 to 65535, after an optional address");
        } else if (option == "--osc-allow") {
            if (!value(v) || v.trimmed().isEmpty())
                return fail("--osc-allow needs HOST[,HOST]");
            for (const QString &host : v.split(',', Qt::SkipEmptyParts))
                line.oscAllowed << host.trimmed();
        } else if (option == "--osc-feedback") {
            int port = 0;
            if (!value(v) || v.lastIndexOf(':') <= 0 ||
                !number(v.mid(v.lastIndexOf(':') + 1), 1, 65535, port))
                return fail("--osc-feedback needs HOST:PORT");
            line.oscFeedback = v;
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
                        ? QStringLiteral("--add-camera needs NAME,udp|tcp|serial,HOST[,PORT] "
                                         "or NAME,onvif,HOST[,PORT[,USER]]")
                        : QStringLiteral("--remove-camera needs a name"));
            line.cameraEdits.append({option == "--add-camera", v});
        } else if (option == "--discover") {
            line.discover = true;
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith('-'))
                line.discoverHost = arguments[++i];
        } else if (option == "--http-token") {
            if (!value(line.httpToken) || line.httpToken.isEmpty())
                return fail("--http-token needs a token");
        } else if (option == "--http-token-file") {
            if (!value(line.httpTokenFile) || line.httpTokenFile.isEmpty())
                return fail("--http-token-file needs a file");
        } else {
            return fail("unknown option " + option);
        }
        static const QStringList qualified = {"--move", "--zoom",        "--preset",     "--store",
                                              "--shot", "--define-shot", "--define-tour"};
        if (option != "--speed" && option != "--for" && option != "--duration" &&
            option != "--loop")
            last = !line.commands.isEmpty() && qualified.contains(option)
                       ? int(line.commands.size()) - 1
                       : -1;
    }
    if (!line.httpToken.isEmpty() && !line.httpTokenFile.isEmpty())
        return fail("give either --http-token or --http-token-file");
    if ((!line.httpToken.isEmpty() || !line.httpTokenFile.isEmpty()) && line.httpPort == 0)
        return fail(QStringLiteral("%1 goes with --http")
                        .arg(line.httpToken.isEmpty() ? "--http-token-file" : "--http-token"));
    if (line.discover && (!line.commands.isEmpty() || line.httpPort))
        return fail("--discover lists cameras: give it without commands");
    if (line.httpPort && (!line.commands.isEmpty() || !line.cameraEdits.isEmpty()))
        return fail("--http starts the panel's API: give it without other commands");
    if ((!line.oscAllowed.isEmpty() || !line.oscFeedback.isEmpty()) && line.oscPort == 0)
        return fail(QStringLiteral("%1 goes with --osc")
                        .arg(line.oscAllowed.isEmpty() ? "--osc-feedback" : "--osc-allow"));
    if ((line.oscPort || line.guardProgram) && !line.commands.isEmpty())
        return fail(QStringLiteral("%1 is for starting the panel: give it without commands")
                        .arg(line.oscPort ? "--osc" : "--guard-program"));
    return line;
}

bool CommandLine::readToken(QString &why)
{
    if (!httpToken.isEmpty())
        return true;
    if (httpTokenFile.isEmpty()) {
        httpToken = qEnvironmentVariable(TokenVariable).trimmed();
        return true;
    }
    const QString &path = httpTokenFile;
    // Opened before it is looked at, so that what is checked is what is read; never waits
    // on a pipe.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        why =
            QStringLiteral("--http-token-file: cannot open %1: %2").arg(path, std::strerror(errno));
        return false;
    }
    struct stat st = {};
    QByteArray text(MaxTokenFileBytes + 1, '\0');
    ssize_t got = -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        why = path + " is no regular file";
    else if (st.st_uid != ::geteuid())
        why = path + " belongs to another user";
    else if (st.st_mode & 077)
        why = QStringLiteral("%1 may be read by others (mode %2); make it 0600")
                  .arg(path)
                  .arg(st.st_mode & 0777, 4, 8, QChar('0'));
    else if ((got = ::read(fd, text.data(), size_t(text.size()))) < 0)
        why = QStringLiteral("cannot read %1: %2").arg(path, std::strerror(errno));
    else if (got > MaxTokenFileBytes)
        why = path + " is too large to hold a token";
    ::close(fd);
    if (!why.isEmpty())
        return false;
    text.truncate(int(got));
    httpToken =
        QString::fromUtf8(text.left(text.indexOf('\n') < 0 ? text.size() : text.indexOf('\n')))
            .trimmed();
    if (httpToken.isEmpty()) {
        why = path + " holds no token";
        return false;
    }
    return true;
}

QString CommandLine::print(const Command &c, const Outcome &outcome)
{
    QString lines;
    switch (c.kind) {
    case Command::List:
        // How each camera answers, where the panel knows it, after a tab: names have none.
        for (const QJsonValue camera : outcome.data.toArray())
            lines += QStringLiteral("%1 %2%3\n")
                         .arg(camera["index"].toInt())
                         .arg(printable(camera["name"].toString()),
                              camera["health"].isString() ? '\t' + camera["health"].toString()
                                                          : QString());
        break;
    case Command::GetPosition:
        if (outcome.data.isObject())
            lines = QStringLiteral("%1,%2\n")
                        .arg(outcome.data["pan"].toInt())
                        .arg(outcome.data["tilt"].toInt());
        break;
    case Command::ListPresets:
        for (const QJsonValue preset : outcome.data.toArray()) {
            const auto axis = [&](const char *key) {
                return preset[key].isUndefined() ? QString("-")
                                                 : QString::number(preset[key].toInt());
            };
            lines += QStringLiteral("%1 %2 %3,%4,%5 %6 %7\n")
                         .arg(preset["preset"].toInt())
                         .arg(preset["stored"].toBool() ? "stored" : "empty")
                         .arg(axis("pan"), axis("tilt"), axis("zoom"), axis("speed"))
                         .arg(printable(preset["name"].toString()));
        }
        break;
    case Command::ListShots:
    case Command::ListTours:
        for (const QJsonValue show : outcome.data.toArray()) {
            const bool tour = c.kind == Command::ListTours;
            QStringList parts;
            for (const QJsonValue cue : show[tour ? "steps" : "cameras"].toArray()) {
                QString part =
                    tour ? QStringLiteral("%1 for %2 s")
                               .arg(cue["preset"].toVariant().toString())
                               .arg(cue["dwell"].toDouble())
                         : QStringLiteral("%1:%2").arg(cue["camera"].toString(),
                                                       cue["preset"].toVariant().toString());
                if (cue["speed"].isDouble())
                    part += QStringLiteral(" at speed %1").arg(cue["speed"].toInt());
                if (cue["duration"].isDouble())
                    part += QStringLiteral(" over %1 s").arg(cue["duration"].toDouble());
                parts << part;
            }
            lines += show["name"].toString() +
                     (tour ? " on " + show["camera"].toString() : QString()) + ": " +
                     parts.join(", ");
            if (show["duration"].isDouble())
                lines += QStringLiteral("; over %1 s").arg(show["duration"].toDouble());
            if (show["loop"].toBool())
                lines += QStringLiteral("; round and round");
            if (show["running"].toBool())
                lines += QStringLiteral("; running, step %1").arg(show["step"].toInt() + 1);
            lines += '\n';
        }
        break;
    case Command::Shot: {
        // Untimed matters where the others arrive together.
        const bool timed = outcome.data["seconds"].isDouble();
        const QJsonArray untimed = outcome.data["untimed"].toArray();
        for (const QJsonValue camera : outcome.data["moved"].toArray())
            lines += camera.toString() + (timed && untimed.contains(camera)
                                              ? " moved at its own speed, untimed\n"
                                              : " moved\n");
        if (timed)
            lines += QStringLiteral("arriving in %1 s\n").arg(outcome.data["seconds"].toDouble());
        break;
    }
    default:
        break;
    }
    return lines;
}

QString CommandLine::printable(const QString &text, bool lines)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control || (lines && (c == '\n' || c == '\t')))
            shown += c;
        else
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
    }
    return shown;
}
