// SPDX-License-Identifier: GPL-2.0-or-later
#include "TourRun.h"
#include "CameraSession.h"
#include "CameraTarget.h"
#include "ShowCameras.h"
#include "ShowEvents.h"

#include <QScopedValueRollback>

#include <cmath>
#include <utility>

TourRun::TourRun(const Command &definition, const Command &start, ShowCameras &list,
                 ShowEvents &hub)
    : tour(definition), asked(start), tag("tour " + definition.name), cameras(list), events(hub)
{
    dwellTimer.setSingleShot(true);
    dwellTimer.setTimerType(Qt::PreciseTimer);
    connect(&dwellTimer, &QTimer::timeout, this, &TourRun::next);
}

TourRun::~TourRun()
{
    for (const QMetaObject::Connection &c : watching)
        disconnect(c);
}

QJsonObject TourRun::where() const
{
    return {{"step", step}, {"round", round}, {"camera", tour.text}};
}

void TourRun::start(Reply reply)
{
    started = std::move(reply);
    runStep();
}

void TourRun::watch(CameraTarget *now)
{
    if (now == target)
        return;
    for (const QMetaObject::Connection &c : watching)
        disconnect(c);
    target = now;
    CameraSession *session = &target->cameraSession();
    watching = {
        connect(session, &CameraSession::acting, this,
                [this](const QString &by) {
                    if (by != tag)
                        end("interrupted", by);
                }),
        connect(session, &CameraSession::glideArrived, this,
                [this] {
                    if (phase == Phase::Moving && answered)
                        dwell();
                }),
        connect(session, &CameraSession::glideFailed, this,
                [this] {
                    end(target->cameraSession().isAnswering() ? "refused" : "camera gone", {},
                        QStringLiteral("%1 did not go to preset %2")
                            .arg(tour.text, tour.cues[step].preset));
                }),
        connect(session, &CameraSession::connectionChanged, this,
                [this](bool open) {
                    if (!open)
                        follow();
                }),
    };
}

void TourRun::runStep()
{
    phase = Phase::Moving;
    Outcome why;
    CameraTarget *now =
        cameras.listedName(tour.text).isEmpty() ? nullptr : cameras.targetOf(tour.text, why);
    if (!now) {
        if (why.error.isEmpty())
            why = Outcome::failed(QStringLiteral("no camera %1 is attached").arg(tour.text));
        stepTaken(why);
        return;
    }
    watch(now);
    const Command::Cue &cue = tour.cues[step];
    Command recall;
    recall.kind = Command::Preset;
    bool isNumber = false;
    recall.number = cue.preset.toInt(&isNumber, 10);
    recall.text = isNumber ? QString() : cue.preset;
    recall.speed = cue.speed;
    recall.seconds = cue.seconds;
    recall.by = tag;
    recall.force = asked.force;
    recall.on = tour.text;
    const int mine = ++attempt;
    answered = false;
    const std::weak_ptr<bool> running = alive;
    const QScopedValueRollback<bool> stepping(inStep, true);
    target->run(recall, [this, running, mine](const Outcome &outcome) {
        if (!running.expired() && mine == attempt && phase != Phase::Over)
            stepTaken(outcome);
    });
}

void TourRun::stepTaken(const Outcome &outcome)
{
    answered = true;
    const Reply first = std::exchange(started, nullptr);
    if (outcome.exitCode) {
        if (first) {
            phase = Phase::Over;
            first(outcome);
            emit ended();
            return;
        }
        end(outcome.cause == Outcome::Unavailable ? "camera gone" : "refused", {}, outcome.error);
        return;
    }
    events.tour(tour.name, tour.text, "step",
                {{"step", step},
                 {"round", round},
                 {"preset", Command::presetJson(tour.cues[step].preset)}});
    if (first)
        first(Outcome::found(QJsonObject{{"tour", tour.name}, {"camera", tour.text}}));
    // A camera that went there by itself is said to be there once it was sent.
    if (phase == Phase::Moving && !target->cameraSession().isGliding())
        dwell();
}

void TourRun::dwell()
{
    phase = Phase::Dwelling;
    dwellTimer.start(int(std::lround(tour.cues[step].dwell * 1000)));
}

void TourRun::next()
{
    if (++step >= tour.cues.size()) {
        if (!tour.loop) {
            end("done");
            return;
        }
        step = 0;
        ++round;
    }
    runStep();
}

void TourRun::follow()
{
    if (phase == Phase::Over || inStep)
        return;
    Outcome why;
    CameraTarget *now =
        cameras.listedName(tour.text).isEmpty() ? nullptr : cameras.targetOf(tour.text, why);
    if (!now) {
        end("camera gone", {}, why.error.isEmpty() ? tour.text + " is gone" : why.error);
        return;
    }
    const bool moved = now != target || !now->cameraSession().isOpen();
    watch(now);
    // A glide the camera's old session was making is gone with it: the step starts again.
    if (phase == Phase::Moving && answered && (moved || !now->cameraSession().isGliding()))
        runStep();
}

void TourRun::stop(const QString &by)
{
    if (phase == Phase::Moving && target)
        target->cameraSession().stopGlide();
    end("stopped", by);
}

void TourRun::end(const QString &why, const QString &by, const QString &error)
{
    if (phase == Phase::Over)
        return;
    phase = Phase::Over;
    dwellTimer.stop();
    // Ended while its first step waited for the camera: the start is answered all the same.
    if (const Reply first = std::exchange(started, nullptr))
        first(Outcome::failed(QStringLiteral("tour %1 ended before its first step: %2%3")
                                  .arg(tour.name, why, by.isEmpty() ? QString() : " by " + by)));
    QJsonObject fields{{"why", why}, {"step", step}, {"round", round}};
    if (!by.isEmpty())
        fields.insert("by", by);
    if (!error.isEmpty())
        fields.insert("error", error);
    // Let go first: whoever the event tells reads the tours without this one running.
    emit ended();
    events.tour(tour.name, tour.text, "ended", fields);
}
