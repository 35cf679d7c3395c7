// SPDX-License-Identifier: GPL-2.0-or-later
#include "CameraTarget.h"
#include "BaseDevice.h"
#include "CameraSession.h"
#include "PanelKeys.h"
#include "PresetCommands.h"
#include "ShowEvents.h"

using Result = CameraSession::Result;

namespace {

// What a command needs the camera to be able to do, and how the refusal says it.
struct Need
{
    uint capability;
    const char *what;
};

Need needOf(Command::Kind kind)
{
    switch (kind) {
    case Command::Preset:
    case Command::Store:
    case Command::Clear:
    case Command::NamePreset:
    case Command::ListPresets:
    case Command::ExportPresets:
    case Command::ImportPresets:
        return {CAP_PRESETS, "keep presets"};
    case Command::Home:
        return {CAP_HOME, "go home"};
    case Command::Move:
        return {CAP_PAN_TILT, "pan or tilt"};
    case Command::Zoom:
        return {CAP_ZOOM, "zoom"};
    case Command::Position:
        return {CAP_POSITION, "move to a position"};
    case Command::GetPosition:
        return {CAP_POSITION, "tell its position"};
    case Command::WhiteBalanceAuto:
        return {CAP_WHITE_BALANCE_AUTO, "switch white balance"};
    case Command::Flicker:
        return {CAP_FLICKER, "set anti-flicker"};
    case Command::ResetImage:
        return {CAP_IMAGE_DEFAULTS, "reset its image"};
    default:
        return {0, ""};
    }
}

bool moves(Command::Kind kind)
{
    switch (kind) {
    case Command::Preset:
    case Command::Home:
    case Command::Move:
    case Command::Zoom:
    case Command::Position:
        return true;
    default:
        return false;
    }
}

} // namespace

CameraTarget::CameraTarget(CameraSession &camera, std::function<QString()> cameraName,
                           ShowEvents &hub)
    : session(camera), name(std::move(cameraName)), events(hub)
{
    answerWait.setSingleShot(true);
    answerWait.setInterval(AnswerWaitMs);
    connect(&answerWait, &QTimer::timeout, this, &CameraTarget::giveUpWaiting);
    positionWait.setSingleShot(true);
    positionWait.setInterval(PositionWaitMs);
    // What was read before is no position once the camera does not answer.
    connect(&positionWait, &QTimer::timeout, this, [this] { answerPosition(false, 0, 0); });
    motionTimer.setSingleShot(true);
    zoomTimer.setSingleShot(true);
    connect(&motionTimer, &QTimer::timeout, this, [this] {
        stopMotion();
        events.moving(name(), "pan-tilt", false, starter);
        emit timedMotionEnded();
    });
    connect(&zoomTimer, &QTimer::timeout, this, [this] {
        stopZoom();
        events.moving(name(), "zoom", false, starter);
        emit timedMotionEnded();
    });
    connect(&session, &CameraSession::capabilitiesChanged, this, [this] {
        if (session.isAnswering())
            silent = false;
        relightTally();
        takeWaiting();
    });
    connect(&session, &CameraSession::imageLoaded, this, &CameraTarget::takeWaiting);
    connect(&session, &CameraSession::connectionChanged, this, [this] {
        silent = false;
        takeWaiting();
    });
    connect(&session, &CameraSession::positionRead, this,
            [this](int pan, int tilt) { answerPosition(true, pan, tilt); });
}

CameraTarget::~CameraTarget() = default;

void CameraTarget::setReopen(std::function<Outcome()> open)
{
    reopen = std::move(open);
}

bool CameraTarget::guarded() const
{
    return guarding && events.tallyOf(name()) == 2;
}

void CameraTarget::run(const Command &c, Reply reply)
{
    if (c.kind == Command::Tally) {
        reply(setTally(c));
        return;
    }
    if (!c.force && guarded() && moves(c.kind)) {
        reply(Outcome::failed(name() + " is on program; say \"force\" to move it anyway",
                              Outcome::Guarded));
        return;
    }
    if (c.kind == Command::Stop && c.lapsed && !remoteMotion) {
        reply({});
        return;
    }
    if (!session.isPresent()) {
        reply(Outcome::failed(QStringLiteral("no camera is connected")));
        return;
    }
    if (!session.isOpen()) {
        const Outcome opened =
            reopen ? reopen() : Outcome::failed(name() + QStringLiteral(" cannot be opened"));
        if (opened.exitCode) {
            reply(opened);
            return;
        }
    }
    // A camera known not to answer, or that refused its password, is not waited for.
    if (session.health() == HEALTH_NOT_ANSWERING || session.health() == HEALTH_REFUSED) {
        reply(Outcome::failed(name() + (session.health() == HEALTH_REFUSED
                                            ? QStringLiteral(" refused its user and password")
                                            : QStringLiteral(" does not answer"))));
        return;
    }
    // A camera just opened may not have told what it can do yet: its commands wait for it,
    // in order, and nobody else does.
    if (!waiting.empty() || !canRun(c)) {
        if (silent && !session.isAnswering()) {
            reply(Outcome::failed(name() + QStringLiteral(" does not answer")));
            return;
        }
        waiting.push_back({c, std::move(reply)});
        if (!answerWait.isActive())
            answerWait.start();
        return;
    }
    carryOut(c, reply);
}

bool CameraTarget::canRun(const Command &c) const
{
    if (!session.isAnswering())
        return false;
    // A slow camera tells its image controls one by one.
    const int control = int(Command::imageControls().indexOf(c.text));
    return c.kind != Command::Image || control < 0 ||
           session.copied(ImageControl::Id(control)).arrived;
}

void CameraTarget::takeWaiting()
{
    while (!waiting.empty() && canRun(waiting.front().command)) {
        const Waiting next = std::move(waiting.front());
        waiting.pop_front();
        carryOut(next.command, next.reply);
    }
    if (waiting.empty())
        answerWait.stop();
    else if (!session.isOpen())
        giveUpWaiting();
}

void CameraTarget::giveUpWaiting()
{
    answerWait.stop();
    silent = !session.isAnswering();
    std::deque<Waiting> late;
    late.swap(waiting);
    for (const Waiting &w : late) {
        const int control = int(Command::imageControls().indexOf(w.command.text));
        if (!session.isOpen())
            w.reply(Outcome::failed(name() + QStringLiteral(" is gone")));
        else if (silent)
            w.reply(Outcome::failed(name() + QStringLiteral(" does not answer")));
        else
            w.reply(Outcome::failed(
                QStringLiteral("%1 does not tell its %2").arg(name(), w.command.text),
                control < 0 ? Outcome::Usage : Outcome::Unsupported));
    }
}

void CameraTarget::carryOut(const Command &c, const Reply &reply)
{
    const Need need = needOf(c.kind);
    if (need.capability && !(session.capabilities() & need.capability)) {
        reply(Outcome::failed(QStringLiteral("%1 cannot %2").arg(name(), QLatin1String(need.what)),
                              Outcome::Unsupported));
        return;
    }
    if (c.kind == Command::GetPosition) {
        readPosition(reply);
        return;
    }
    // Whatever runs on the camera by itself learns who took it over.
    const CameraSession::Asker asker(session,
                                     c.by.isEmpty() ? QStringLiteral("command line") : c.by);
    int preset = c.number;
    Outcome done;
    // A recall or a position takes over from a move: its time and keep-alive end with it.
    const bool wasMoving = remoteMotion;
    remoteMotion = c.kind == Command::Move || c.kind == Command::Zoom ||
                   (remoteMotion && c.kind != Command::Stop && !moves(c.kind));
    if (moves(c.kind) && !remoteMotion) {
        motionTimer.stop();
        zoomTimer.stop();
        if (wasMoving)
            for (const char *what : {"pan-tilt", "zoom"})
                events.moving(name(), what, false, c.by.isEmpty() ? "command line" : c.by);
    }
    switch (c.kind) {
    case Command::Preset:
    case Command::Store:
    case Command::Clear:
    case Command::NamePreset:
    case Command::ListPresets:
    case Command::ExportPresets:
    case Command::ImportPresets:
        done = PresetCommands::run(c, session, name(), preset);
        break;
    default:
        done = carryOutNow(c);
        break;
    }
    // A shot's recall is told as it starts, with the shot's other cameras.
    if (!done.exitCode && !c.held)
        tell(c, preset);
    reply(done);
}

Outcome CameraTarget::carryOutNow(const Command &c)
{
    const QString camera = name();
    switch (c.kind) {
    case Command::Home:
        return session.home() == Result::Done ? Outcome{}
                                              : Outcome::failed(camera + " cannot go home");
    case Command::Move:
        session.drive(c.direction, PanelKeys::PanSpeedScale * c.speed,
                      PanelKeys::TiltSpeedScale * c.speed);
        starter = c.by;
        if (c.forMs >= 0)
            motionTimer.start(c.forMs);
        else
            motionTimer.stop();
        return {};
    case Command::Zoom:
        session.zoom(c.direction * c.speed);
        starter = c.by;
        if (c.forMs >= 0)
            zoomTimer.start(c.forMs);
        else
            zoomTimer.stop();
        return {};
    case Command::Stop:
        stop();
        return {};
    case Command::Position:
        return setPosition(c);
    case Command::Image:
        return setImage(c);
    case Command::WhiteBalanceAuto: {
        int value = 0;
        const Result result =
            c.number ? session.setWhiteBalanceAuto() : session.setWhiteBalanceManual(value);
        return result == Result::Done ? Outcome{}
                                      : Outcome::failed(camera + " cannot switch white balance");
    }
    case Command::Flicker:
        return setFlicker(c);
    case Command::ResetImage:
        return session.restoreImageDefaults() == Result::Done
                   ? Outcome{}
                   : Outcome::failed(camera + " cannot reset its image");
    default:
        return Outcome::misused("unknown command");
    }
}

Outcome CameraTarget::setTally(const Command &c)
{
    const QString camera = name();
    if (tallyShown) {
        // Kept and shown even while the camera is away: the show goes on without it.
        events.tally(camera, c.number);
        session.setTally(c.number, session.isOpen());
        return {};
    }
    if (session.isPresent() && session.isOpen() && session.setTally(c.number) == Result::Done)
        return {};
    return Outcome::failed(camera + " has no tally lamp", Outcome::Unsupported);
}

void CameraTarget::relightTally()
{
    // A camera read only now can take its lamp only now.
    if (tallyShown && events.toldTally(name()) && session.isOpen())
        session.setTally(events.tallyOf(name()));
}

Outcome CameraTarget::setPosition(const Command &c)
{
    // A position past what the camera reaches is not sent: a network camera would wrap it.
    for (const bool tilt : {false, true}) {
        int minimum = 0, maximum = 0;
        const int value = tilt ? c.tilt : c.pan;
        if (session.positionRange(tilt, minimum, maximum) && (value < minimum || value > maximum))
            return Outcome::outOfRange(QStringLiteral("%1 goes from %2 to %3 on %4")
                                           .arg(tilt ? "tilt" : "pan")
                                           .arg(minimum)
                                           .arg(maximum)
                                           .arg(name()));
    }
    if (session.setPosition(c.pan, c.tilt) != Result::Done)
        return Outcome::failed(name() + " did not take the position");
    return {};
}

Outcome CameraTarget::setImage(const Command &c)
{
    const int index = int(Command::imageControls().indexOf(c.text));
    if (index < 0)
        return Outcome::misused("no image control " + c.text);
    const auto control = ImageControl::Id(index);
    // What the camera lacks, refused or never told is not offered, whatever asks for it.
    if (session.record(ImageControl::of(control).record).available != 1)
        return Outcome::failed(QStringLiteral("%1 does not offer %2").arg(name(), c.text),
                               Outcome::Unsupported);
    const CameraSession::Copy &copy = session.copied(control);
    if (c.number < copy.minimum || c.number > copy.maximum)
        return Outcome::failed(QStringLiteral("%1 goes from %2 to %3 on %4")
                                   .arg(c.text)
                                   .arg(copy.minimum)
                                   .arg(copy.maximum)
                                   .arg(name()),
                               Outcome::BadValue);
    if (session.setImage(control, c.number) != Result::Done)
        return Outcome::failed(QStringLiteral("%1 refused %2").arg(name(), c.text));
    return {};
}

Outcome CameraTarget::setFlicker(const Command &c)
{
    if (c.number == 0 && !session.offersFlickerOff())
        return Outcome::failed(name() + " cannot switch anti-flicker off", Outcome::Unsupported);
    if (session.setFlicker(c.number) != Result::Done)
        return Outcome::failed(name() + " refused anti-flicker", Outcome::Unsupported);
    return {};
}

void CameraTarget::readPosition(const Reply &reply)
{
    // Asked, not acted on: a glide or a move goes on while the camera tells where it is.
    if (positionAsked.empty() && session.askPosition() != Result::Done) {
        reply(Outcome::failed(name() + " does not tell its position"));
        return;
    }
    positionAsked.push_back(reply);
    if (!positionWait.isActive())
        positionWait.start();
}

void CameraTarget::answerPosition(bool read, int pan, int tilt)
{
    if (positionAsked.empty())
        return;
    positionWait.stop();
    std::vector<Reply> asked;
    asked.swap(positionAsked);
    const Outcome answer = read ? Outcome::found(QJsonObject{{"pan", pan}, {"tilt", tilt}})
                                : Outcome::failed(name() + " does not answer");
    for (const Reply &reply : asked)
        reply(answer);
}

void CameraTarget::stopMotion()
{
    motionTimer.stop();
    session.drive(PanelKeys::Stop, 0, 0);
}

void CameraTarget::stopZoom()
{
    zoomTimer.stop();
    session.zoomStop();
}

void CameraTarget::stop()
{
    stopMotion();
    stopZoom();
}

void CameraTarget::tell(const Command &c, int preset)
{
    const QString camera = name();
    const QString by = c.by.isEmpty() ? QStringLiteral("command line") : c.by;
    switch (c.kind) {
    case Command::Move:
        events.moving(camera, "pan-tilt", c.direction != PanelKeys::Stop, by);
        break;
    case Command::Zoom:
        events.moving(camera, "zoom", true, by);
        break;
    case Command::Stop:
        events.moving(camera, "pan-tilt", false, by);
        events.moving(camera, "zoom", false, by);
        break;
    // Events name presets by number, whichever way they were asked for.
    case Command::Preset:
        events.preset(camera, "recalled", preset, by);
        break;
    case Command::Store:
        events.preset(camera, "stored", preset, by);
        break;
    case Command::Clear:
        events.preset(camera, "cleared", preset, by);
        break;
    case Command::NamePreset:
        events.preset(camera, "named", preset, by, c.name);
        break;
    case Command::Image:
        events.image(camera, {{Command::camelCase(c.text), c.number}});
        break;
    case Command::WhiteBalanceAuto:
        events.image(camera, {{"whiteBalanceAuto", c.number != 0}});
        break;
    case Command::Flicker:
        events.image(camera, {{"flicker", Command::flickerModes().value(c.number)}});
        break;
    case Command::ResetImage:
        events.image(camera, state(0).value("image").toObject());
        break;
    default:
        break;
    }
}

QJsonObject CameraTarget::state(int index) const
{
    const bool connected = session.isAnswering();
    QJsonObject image;
    for (int i = 0; i < Command::imageControls().size(); ++i)
        image.insert(Command::camelCase(Command::imageControls()[i]),
                     session.copied(ImageControl::Id(i)).current);
    QJsonObject state{
        {"connected", connected},
        {"camera",
         connected ? QJsonValue(QJsonObject{{"index", index}, {"name", name()}}) : QJsonValue()},
        {"image", image},
        {"whiteBalanceAuto", session.whiteBalanceAuto() == 1},
        {"flicker", Command::flickerStates().value(std::max(0, session.flickerMode()))},
        {"tally", Command::tallyStates().value(events.tallyOf(name()))},
    };
    if (session.health() >= 0)
        state.insert("health", Command::healthStates().value(session.health()));
    int pan = 0, tilt = 0;
    if (connected && (session.capabilities() & CAP_POSITION) && session.lastPosition(pan, tilt))
        state.insert("position", QJsonObject{{"pan", pan}, {"tilt", tilt}});
    return state;
}
