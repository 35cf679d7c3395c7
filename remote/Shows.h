// SPDX-License-Identifier: GPL-2.0-or-later
// Shots across cameras and tours of one camera: their definitions (kept in a ShowBook), and
// those recalled or running now. Every input reaches them as commands (Command::isShow), in the
// running panel or on the command line's own cameras; the board lists and runs them with
// the same commands, through RemotePanel.
#pragma once

#include "Command.h"
#include "ShowBook.h"

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class ShotRun;
class ShowCameras;
class ShowEvents;
class TourRun;

class Shows : public QObject
{
    Q_OBJECT

public:
    using Reply = std::function<void(const Outcome &)>;

    // The definitions in `directory` (see ShowBook); the cameras and the events outlive this.
    Shows(ShowCameras &cameras, ShowEvents &events, const QString &directory = {});
    ~Shows() override;

    // A command of shots or tours; `reply` is called once, now or later, never after this is
    // gone. Unknown cameras, presets, shots and tours are refused with exit status 2.
    void run(const Command &command, Reply reply);
    // --export-presets and --import-presets carry the shots and tours too; `presets` carries
    // out the camera's part. An import whose shots or tours are wrong changes nothing.
    void withPresets(const Command &command, const std::function<void(Reply)> &presets,
                     Reply reply);

    const ShowBook &book() const { return shows; }
    // Where tour `name` is while it runs ({"step", "round", "camera"}); empty when it does not.
    QJsonObject tourState(const QString &name) const;
    // A shot's camera still on its way, or a tour running.
    bool isMoving() const { return !shotRuns.empty() || !tourRuns.empty(); }
    // Cameras may be driven by other sessions now: the tours follow them.
    void follow();
    // Every shot's glide and every tour end where they are.
    void stopAll(const QString &by);

signals:
    void definitionsChanged();
    void toursChanged();

private:
    void define(Command definition, Reply reply);
    void lookUpPresets(const std::shared_ptr<Command> &definition, QStringList cameras,
                       Reply reply);
    void keep(const Command &definition, Reply reply);
    void recall(const Command &asked, Reply reply);
    void startTour(const Command &asked, Reply reply);
    Outcome stopTour(const Command &asked);
    Outcome remove(const Command &asked);
    Outcome list(Command::Kind kind) const;
    Outcome exportTo(const QString &path) const;

    ShowCameras &cameras;
    ShowEvents &events;
    ShowBook shows;
    std::vector<ShotRun *> shotRuns;       // children, until they are over
    std::map<QString, TourRun *> tourRuns; // children, by name, while they run
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
