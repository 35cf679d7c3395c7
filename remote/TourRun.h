// SPDX-License-Identifier: GPL-2.0-or-later
// One tour running on its camera: each step a preset recall through the camera's target, then
// the dwell, timed on the monotonic clock from the moment the camera arrives (a glide's last
// step) or, for a camera that goes to its presets by itself, from the moment its recall is
// sent; once through its steps or round and round. Anything else the camera is asked, from
// whatever input, ends it at once (the session says so), as do a stop, a step the camera
// refuses, and the camera going away.
#pragma once

#include "Command.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class CameraTarget;
class ShowCameras;
class ShowEvents;

class TourRun : public QObject
{
    Q_OBJECT

public:
    using Reply = std::function<void(const Outcome &)>;

    // `tour` as it was defined; `asked` the start: who asked, whether forced.
    TourRun(const Command &tour, const Command &asked, ShowCameras &cameras, ShowEvents &events);
    ~TourRun() override;

    // Its first step; replies once the camera is on its way there, or why not (and then the
    // tour is over, untold).
    void start(Reply reply);
    // Ends it where the camera is, as stopped by `by`.
    void stop(const QString &by);
    // Another session may drive its camera now (the window took it or left it): the tour goes
    // on there.
    void follow();
    bool isOver() const { return phase == Phase::Over; }
    const QString &name() const { return tour.name; }
    // Where it is: "step", "round", "camera".
    QJsonObject where() const;

signals:
    void ended();

private:
    enum class Phase
    {
        Moving,
        Dwelling,
        Over
    };
    void runStep();
    void stepTaken(const Outcome &outcome);
    void dwell();
    void next();
    void watch(CameraTarget *target);
    void end(const QString &why, const QString &by = {}, const QString &error = {});

    const Command tour;
    const Command asked;
    const QString tag; // its recalls' own "by"
    ShowCameras &cameras;
    ShowEvents &events;
    CameraTarget *target = nullptr;
    std::vector<QMetaObject::Connection> watching;
    Phase phase = Phase::Moving;
    int step = 0;
    int round = 0;
    int attempt = 0;      // a step's reply that was left behind is not taken
    bool answered = true; // the step's recall has its reply
    bool inStep = false;
    QTimer dwellTimer;
    Reply started;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
