// SPDX-License-Identifier: GPL-2.0-or-later
// One recall of a shot: each camera's recall is planned through its target (which guards a
// camera on program, waits for one still being read and finds a preset by name), then every
// camera is sent on its way at one moment. With a time, each glide gets the steps the
// slowest needs and the same arrival on the monotonic clock, so that all arrive together; a
// camera that goes to its preset by itself is sent then and said to be untimed. A camera that
// is missing or refuses is named, and the others move.
#pragma once

#include "Command.h"

#include <QJsonArray>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class CameraTarget;
class ShowCameras;
class ShowEvents;

class ShotRun : public QObject
{
    Q_OBJECT

public:
    using Reply = std::function<void(const Outcome &)>;

    // `shot` as it was defined; `asked` the recall: its time, who asked, whether forced.
    ShotRun(const Command &shot, const Command &asked, ShowCameras &cameras, ShowEvents &events);
    ~ShotRun() override;

    // Replies once every camera is on its way or has not moved: with what moved and what did
    // not, exit status 1 when any did not.
    void start(Reply reply);
    // No glide of it goes on.
    void stop();
    const QString &name() const { return shot.name; }

signals:
    // No camera of the shot is on its way any more.
    void finished();

private:
    struct Part
    {
        QString camera;
        CameraTarget *target = nullptr;
        int preset = -1;
        QString why; // why it did not move
        Outcome::Cause cause = Outcome::Done;
        bool planned = false;
        bool gliding = false;
        bool untimed = false;
        bool arrived = false;
        std::vector<QMetaObject::Connection> watching;
    };

    void answered(size_t part, const Outcome &outcome);
    void go();
    void settled(Part &part, bool arrived);
    void finish();

    const Command shot;
    const Command asked;
    const QString tag; // the recalls' own "by"
    ShowCameras &cameras;
    ShowEvents &events;
    std::vector<Part> parts;
    size_t unanswered = 0;
    bool shared = false; // one time for every camera
    bool over = false;
    Reply reply;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
