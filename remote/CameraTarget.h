// SPDX-License-Identifier: GPL-2.0-or-later
// Carries out commands on one camera through its session, whichever camera it is: the
// window's, another one the panel drives, or the one a command line without a panel opened.
// It checks what the camera can do, times the motions a command limits, tells the show what
// each command did, and waits for a camera still being read without making anyone else wait:
// a command finishes through its reply, at once or once the camera has answered. A camera
// known not to answer refuses at once.
#pragma once

#include "Command.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

class CameraSession;
class ShowEvents;

class CameraTarget : public QObject
{
    Q_OBJECT

public:
    using Reply = std::function<void(const Outcome &)>;

    // `name` gives the camera's name as the panel lists it now; `events` is told what each
    // command did. Both, and the session, outlive this.
    CameraTarget(CameraSession &session, std::function<QString()> name, ShowEvents &events);
    ~CameraTarget() override;

    // What opens the camera again when a command finds it closed; without it, such a command
    // is refused.
    void setReopen(std::function<Outcome()> reopen);
    // Whether anything but the camera's own lamp shows its tally (the running panel's frame
    // line); when not, a tally on a camera without a lamp is refused.
    void setTallyShownElsewhere(bool shown) { tallyShown = shown; }
    // How long a command waits for a camera that has not told what it can do yet.
    void setAnswerWait(int milliseconds) { answerWait.setInterval(milliseconds); }
    // Moves and recalls on a camera on program are refused unless forced.
    void guardProgram(bool guard) { guarding = guard; }

    // Carries out `command` here; `reply` is called once, now or later, never after this is
    // gone. The commands a target is given finish in the order given.
    void run(const Command &command, Reply reply);
    // Stops what the commands moved: pan and tilt, zoom, or both.
    void stopMotion();
    void stopZoom();
    void stop();
    // What GET /api/state tells of this camera (`index`: its place in the list); asks the
    // camera nothing.
    QJsonObject state(int index) const;
    QString cameraName() const { return name(); }
    CameraSession &cameraSession() { return session; }

    static constexpr int AnswerWaitMs = 1500;
    static constexpr int PositionWaitMs = 1000;

signals:
    // A move or zoom a command timed has stopped, its time having run out.
    void timedMotionEnded();

private:
    struct Waiting
    {
        Command command;
        Reply reply;
    };

    bool guarded() const;
    bool canRun(const Command &command) const;
    void takeWaiting();
    void giveUpWaiting();
    void carryOut(const Command &command, const Reply &reply);
    Outcome carryOutNow(const Command &command);
    Outcome setTally(const Command &command);
    Outcome setPosition(const Command &command);
    Outcome setImage(const Command &command);
    Outcome setFlicker(const Command &command);
    void readPosition(const Reply &reply);
    void answerPosition(bool read, int pan, int tilt);
    void tell(const Command &command, int preset);
    void relightTally();

    CameraSession &session;
    const std::function<QString()> name;
    ShowEvents &events;
    std::function<Outcome()> reopen;
    bool tallyShown = true;
    bool guarding = false;
    std::deque<Waiting> waiting; // for the camera's first answer, in order
    QTimer answerWait;
    bool silent = false; // the last wait for an answer ran out, and none came since
    std::vector<Reply> positionAsked;
    QTimer positionWait;
    QTimer motionTimer;        // a move with a time
    QTimer zoomTimer;          // a zoom with a time
    QString starter;           // who started the timed move, for the events
    bool remoteMotion = false; // a move or zoom of a command goes on, not taken over since
};
