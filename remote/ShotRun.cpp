// SPDX-License-Identifier: GPL-2.0-or-later
#include "ShotRun.h"
#include "CameraSession.h"
#include "CameraTarget.h"
#include "ShowCameras.h"
#include "ShowEvents.h"

#include <QJsonObject>

#include <algorithm>

ShotRun::ShotRun(const Command &definition, const Command &recall, ShowCameras &list,
                 ShowEvents &hub)
    : shot(definition), asked(recall), tag("shot " + definition.name), cameras(list), events(hub)
{}

ShotRun::~ShotRun()
{
    for (Part &part : parts)
        for (const QMetaObject::Connection &c : part.watching)
            disconnect(c);
}

void ShotRun::start(Reply done)
{
    reply = std::move(done);
    const double seconds = asked.seconds > 0 ? asked.seconds : shot.seconds;
    shared = seconds > 0;
    parts.resize(size_t(shot.cues.size()));
    unanswered = parts.size();
    const std::weak_ptr<bool> running = alive;
    for (size_t i = 0; i < parts.size(); ++i) {
        const Command::Cue &cue = shot.cues[int(i)];
        Part &part = parts[i];
        part.camera = cue.camera;
        Outcome why;
        if (cameras.listedName(cue.camera).isEmpty())
            why = Outcome::failed(QStringLiteral("no camera %1 is attached").arg(cue.camera),
                                  Outcome::NotFound);
        else
            part.target = cameras.targetOf(cue.camera, why);
        if (!part.target) {
            answered(i, why);
            continue;
        }
        Command recall;
        recall.kind = Command::Preset;
        bool isNumber = false;
        recall.number = cue.preset.toInt(&isNumber, 10);
        recall.text = isNumber ? QString() : cue.preset;
        recall.seconds = shared ? seconds : cue.seconds;
        recall.speed = shared ? 0 : cue.speed;
        recall.held = true;
        recall.by = tag;
        recall.force = asked.force;
        recall.on = cue.camera;
        part.target->run(recall, [this, running, i](const Outcome &outcome) {
            if (!running.expired())
                answered(i, outcome);
        });
    }
}

void ShotRun::answered(size_t i, const Outcome &outcome)
{
    Part &part = parts[i];
    part.planned = outcome.exitCode == 0;
    part.preset = outcome.data.toInt(-1);
    part.why = outcome.error;
    part.cause = outcome.cause;
    if (--unanswered == 0)
        go();
}

void ShotRun::go()
{
    // One moment for all, and for a shared time the steps of the slowest.
    const auto start = PresetGlide::Clock::now();
    int steps = 0;
    for (const Part &part : parts)
        if (part.planned && shared)
            steps = std::max(steps, part.target->cameraSession().plannedSteps());
    for (Part &part : parts) {
        if (!part.planned)
            continue;
        CameraSession &session = part.target->cameraSession();
        part.untimed = session.plannedSteps() == 0;
        if (session.startPlanned(start, steps) != CameraSession::Result::Done) {
            part.planned = false;
            part.why =
                QStringLiteral("%1 did not go to preset %2").arg(part.camera).arg(part.preset);
            part.cause = Outcome::Unavailable;
            continue;
        }
        part.gliding = session.isGliding();
    }
    QJsonArray moved, notMoved, untimed;
    QStringList failures;
    Outcome::Cause cause = Outcome::Done;
    for (Part &part : parts) {
        if (!part.planned) {
            notMoved.append(QJsonObject{{"camera", part.camera}, {"why", part.why}});
            failures << QStringLiteral("%1 did not move (%2)").arg(part.camera, part.why);
            if (cause == Outcome::Done)
                cause = part.cause;
            continue;
        }
        moved.append(part.camera);
        if (part.untimed)
            untimed.append(part.camera);
        events.preset(part.camera, "recalled", part.preset, tag);
        if (!part.gliding)
            continue;
        CameraSession *session = &part.target->cameraSession();
        const auto ended = [this, &part](bool arrived) { settled(part, arrived); };
        part.watching = {
            connect(session, &CameraSession::glideArrived, this, [ended] { ended(true); }),
            connect(session, &CameraSession::glideFailed, this, [ended] { ended(false); }),
            connect(session, &CameraSession::connectionChanged, this, [ended] { ended(false); }),
            connect(session, &CameraSession::acting, this, [ended] { ended(false); }),
        };
    }
    QJsonObject told{{"moved", moved}, {"notMoved", notMoved}, {"untimed", untimed}};
    if (shared)
        told.insert("seconds", steps / double(PresetGlide::StepsPerSecond));
    if (!moved.isEmpty()) {
        QJsonObject started = told;
        started.insert("by", asked.by.isEmpty() ? QStringLiteral("command line") : asked.by);
        events.shot(shot.name, "started", started);
    }
    told.insert("shot", shot.name);
    const Reply done = std::move(reply);
    done(failures.isEmpty() ? Outcome::found(told)
                            : Outcome{1, {}, failures.join("; "), cause, told});
    finish();
}

void ShotRun::settled(Part &part, bool arrived)
{
    for (const QMetaObject::Connection &c : part.watching)
        disconnect(c);
    part.watching.clear();
    part.gliding = false;
    part.arrived = arrived;
    if (arrived)
        events.shot(shot.name, "camera arrived", {{"camera", part.camera}});
    finish();
}

void ShotRun::stop()
{
    for (Part &part : parts)
        if (part.gliding) {
            part.target->cameraSession().stopGlide();
            settled(part, false);
        }
}

void ShotRun::finish()
{
    if (over || unanswered > 0 ||
        std::any_of(parts.begin(), parts.end(), [](const Part &p) { return p.gliding; }))
        return;
    over = true;
    QJsonArray arrived, untimed, stopped;
    bool any = false;
    for (const Part &part : parts) {
        if (!part.planned)
            continue;
        any = true;
        (part.untimed ? untimed : part.arrived ? arrived : stopped).append(part.camera);
    }
    if (any)
        events.shot(shot.name, "arrived",
                    {{"arrived", arrived}, {"untimed", untimed}, {"stopped", stopped}});
    emit finished();
}
