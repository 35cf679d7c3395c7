// SPDX-License-Identifier: GPL-2.0-or-later
#include "Shows.h"
#include "CameraTarget.h"
#include "JsonFile.h"
#include "ShotRun.h"
#include "ShowCameras.h"
#include "ShowEvents.h"
#include "TourRun.h"

#include <QJsonArray>

namespace {

QString whatOf(Command::Kind kind)
{
    return kind == Command::DefineTour || kind == Command::Tour || kind == Command::StopTour ||
                   kind == Command::ListTours || kind == Command::DeleteTour
               ? QStringLiteral("tour")
               : QStringLiteral("shot");
}

Outcome unknown(const QString &why)
{
    return {2, {}, why, Outcome::NotFound, {}};
}

QString whoOf(const Command &c)
{
    return c.by.isEmpty() ? QStringLiteral("command line") : c.by;
}

} // namespace

Shows::Shows(ShowCameras &list, ShowEvents &hub, const QString &directory)
    : cameras(list), events(hub), shows(directory)
{}

Shows::~Shows() = default;

void Shows::run(const Command &c, Reply reply)
{
    // Replies of work that outlives a request never reach it once this is gone.
    const std::weak_ptr<bool> living = alive;
    Reply guarded = [living, reply](const Outcome &outcome) {
        if (!living.expired())
            reply(outcome);
    };
    Command::Value wrong;
    if (!c.check(wrong)) {
        guarded(Outcome::outOfRange(
            wrong == Command::ShowValue
                ? Command::showNameProblem(c.name)
                : QStringLiteral("%1 %2 needs %3")
                      .arg(whatOf(c.kind), c.name, Command::needs(wrong, c.kind))));
        return;
    }
    switch (c.kind) {
    case Command::DefineShot:
    case Command::DefineTour:
        define(c, guarded);
        return;
    case Command::Shot:
        recall(c, guarded);
        return;
    case Command::Tour:
        startTour(c, guarded);
        return;
    case Command::StopTour:
        guarded(stopTour(c));
        return;
    case Command::ListShots:
    case Command::ListTours:
        guarded(list(c.kind == Command::ListShots ? Command::DefineShot : Command::DefineTour));
        return;
    case Command::DeleteShot:
    case Command::DeleteTour:
        guarded(remove(c));
        return;
    default:
        guarded(Outcome::misused("unknown command"));
    }
}

void Shows::define(Command c, Reply reply)
{
    const QString what = whatOf(c.kind);
    QStringList named; // cameras whose presets are given by name, to be looked up
    if (c.kind == Command::DefineTour) {
        const QString camera = cameras.listedName(c.text);
        if (camera.isEmpty())
            return reply(unknown(QStringLiteral("no camera %1 is attached").arg(c.text)));
        c.text = camera;
    }
    for (Command::Cue &cue : c.cues) {
        QString camera = c.kind == Command::DefineTour ? c.text : cameras.listedName(cue.camera);
        // A name with a ':' in it: the camera is the longest part before one that is listed.
        const QString whole = cue.camera + ':' + cue.preset;
        for (int at = int(whole.lastIndexOf(':')); camera.isEmpty() && cue.joined && at > 0;
             at = int(whole.lastIndexOf(':', at - 1)))
            if (!(camera = cameras.listedName(whole.left(at))).isEmpty())
                cue.preset = whole.mid(at + 1);
        if (camera.isEmpty())
            return reply(unknown(QStringLiteral("no camera %1 is attached").arg(cue.camera)));
        if (c.kind == Command::DefineShot)
            cue.camera = camera;
        cue.joined = false;
        bool isNumber = false;
        cue.preset.toInt(&isNumber, 10);
        if (!isNumber && !named.contains(camera))
            named << camera;
    }
    for (int i = 0; c.kind == Command::DefineShot && i < c.cues.size(); ++i)
        for (int j = 0; j < i; ++j)
            if (c.cues[i].camera == c.cues[j].camera)
                return reply(Outcome::outOfRange(
                    QStringLiteral("%1 is in shot %2 twice").arg(c.cues[i].camera, c.name)));
    Command::Value wrong;
    if (!c.check(wrong))
        return reply(Outcome::outOfRange(
            QStringLiteral("%1 %2 needs %3").arg(what, c.name, Command::needs(wrong, c.kind))));
    lookUpPresets(std::make_shared<Command>(c), named, reply);
}

void Shows::lookUpPresets(const std::shared_ptr<Command> &c, QStringList named, Reply reply)
{
    if (named.isEmpty())
        return keep(*c, reply);
    const QString camera = named.takeFirst();
    Outcome why;
    CameraTarget *target = cameras.targetOf(camera, why);
    if (!target)
        return reply(why);
    Command presets;
    presets.kind = Command::ListPresets;
    presets.on = camera;
    presets.by = c->by;
    const std::weak_ptr<bool> living = alive;
    target->run(presets, [this, living, c, camera, named, reply](const Outcome &found) {
        if (living.expired())
            return;
        if (found.exitCode)
            return reply(found);
        for (const Command::Cue &cue : c->cues) {
            if (c->kind == Command::DefineShot && cue.camera != camera)
                continue;
            bool known = false;
            cue.preset.toInt(&known, 10);
            for (const QJsonValue preset : found.data.toArray())
                known = known ||
                        preset["name"].toString().compare(cue.preset, Qt::CaseInsensitive) == 0;
            if (!known)
                return reply(
                    unknown(QStringLiteral("no preset of %1 is named %2").arg(camera, cue.preset)));
        }
        lookUpPresets(c, named, reply);
    });
}

void Shows::keep(const Command &c, Reply reply)
{
    QString why;
    if (!shows.keep({c}, why))
        return reply(Outcome::failed(why, Outcome::NotStored));
    // A tour runs as it was started; one redefined starts afresh.
    if (c.kind == Command::DefineTour && tourRuns.count(c.name))
        tourRuns[c.name]->stop(whoOf(c));
    emit definitionsChanged();
    QJsonObject kept = c.definition();
    kept.insert("name", c.name);
    reply(Outcome::found(kept));
}

void Shows::recall(const Command &asked, Reply reply)
{
    const Command *shot = shows.find(Command::DefineShot, asked.name);
    if (!shot)
        return reply(unknown("no shot " + asked.name));
    // Its own cameras would be taken over at once anyway.
    for (ShotRun *running : std::vector<ShotRun *>(shotRuns))
        if (running->name() == asked.name)
            running->stop();
    auto *run = new ShotRun(*shot, asked, cameras, events);
    run->setParent(this);
    shotRuns.push_back(run);
    connect(run, &ShotRun::finished, this, [this, run] {
        shotRuns.erase(std::remove(shotRuns.begin(), shotRuns.end(), run), shotRuns.end());
        run->deleteLater();
    });
    run->start(reply);
}

void Shows::startTour(const Command &asked, Reply reply)
{
    const Command *tour = shows.find(Command::DefineTour, asked.name);
    if (!tour)
        return reply(unknown("no tour " + asked.name));
    if (tourRuns.count(asked.name))
        tourRuns[asked.name]->stop(whoOf(asked));
    auto *run = new TourRun(*tour, asked, cameras, events);
    run->setParent(this);
    tourRuns[asked.name] = run;
    connect(run, &TourRun::ended, this, [this, run] {
        const auto found = tourRuns.find(run->name());
        if (found != tourRuns.end() && found->second == run)
            tourRuns.erase(found);
        run->deleteLater();
        emit toursChanged();
    });
    run->start(reply);
    if (!run->isOver())
        emit toursChanged();
}

Outcome Shows::stopTour(const Command &asked)
{
    if (!asked.name.isEmpty() && !shows.find(Command::DefineTour, asked.name))
        return unknown("no tour " + asked.name);
    for (const auto &[name, run] : std::map<QString, TourRun *>(tourRuns))
        if (asked.name.isEmpty() || name == asked.name)
            run->stop(whoOf(asked));
    return {};
}

Outcome Shows::remove(const Command &asked)
{
    const Command::Kind kind =
        asked.kind == Command::DeleteShot ? Command::DefineShot : Command::DefineTour;
    if (!shows.find(kind, asked.name))
        return unknown(QStringLiteral("no %1 %2").arg(whatOf(kind), asked.name));
    QString why;
    if (!shows.remove(kind, asked.name, why))
        return Outcome::failed(why, Outcome::NotStored);
    if (kind == Command::DefineTour && tourRuns.count(asked.name))
        tourRuns[asked.name]->stop(whoOf(asked));
    emit definitionsChanged();
    return {};
}

QJsonObject Shows::tourState(const QString &name) const
{
    const auto found = tourRuns.find(name);
    return found == tourRuns.end() ? QJsonObject() : found->second->where();
}

Outcome Shows::list(Command::Kind kind) const
{
    QJsonArray all = shows.list(kind);
    if (kind == Command::DefineTour)
        for (QJsonValueRef entry : all) {
            QJsonObject tour = entry.toObject();
            const QJsonObject where = tourState(tour["name"].toString());
            tour.insert("running", !where.isEmpty());
            if (!where.isEmpty()) {
                tour.insert("step", where["step"]);
                tour.insert("round", where["round"]);
            }
            entry = tour;
        }
    return Outcome::found(all);
}

void Shows::follow()
{
    for (const auto &[name, run] : std::map<QString, TourRun *>(tourRuns))
        run->follow();
}

void Shows::stopAll(const QString &by)
{
    for (ShotRun *run : std::vector<ShotRun *>(shotRuns))
        run->stop();
    for (const auto &[name, run] : std::map<QString, TourRun *>(tourRuns))
        run->stop(by);
}

Outcome Shows::exportTo(const QString &path) const
{
    QJsonObject file = JsonFile::read(path);
    // Those of other names in the file stay: one file can carry several rooms' shows.
    for (const Command::Kind kind : {Command::DefineShot, Command::DefineTour}) {
        QJsonArray merged;
        for (const QJsonValue entry : file.value(ShowBook::keyOf(kind)).toArray())
            if (!shows.find(kind, entry["name"].toString()))
                merged.append(entry);
        for (const QJsonValue entry : shows.list(kind))
            merged.append(entry);
        file.insert(ShowBook::keyOf(kind), merged);
    }
    QString why;
    return JsonFile::write(path, file, why) ? Outcome{} : Outcome::failed(why, Outcome::NotStored);
}

void Shows::withPresets(const Command &c, const std::function<void(Reply)> &presets, Reply reply)
{
    const std::weak_ptr<bool> living = alive;
    if (c.kind == Command::ExportPresets)
        return presets([this, living, c, reply](const Outcome &done) {
            reply(done.exitCode || living.expired() ? done : exportTo(c.text));
        });
    // Checked before the presets are written: a file whose shows are wrong changes nothing.
    auto imported = std::make_shared<std::vector<Command>>();
    const QJsonObject json = JsonFile::read(c.text);
    for (const Command::Kind kind : {Command::DefineShot, Command::DefineTour}) {
        QString why;
        if (json.contains(ShowBook::keyOf(kind)) &&
            !ShowBook::read(kind, json.value(ShowBook::keyOf(kind)), *imported, why))
            return reply(Outcome::outOfRange(c.text + ": " + why));
    }
    presets([this, living, imported, reply](const Outcome &done) {
        if (done.exitCode || living.expired() || imported->empty())
            return reply(done);
        QString why;
        if (!shows.keep(*imported, why))
            return reply(Outcome::failed(why, Outcome::NotStored));
        emit definitionsChanged();
        reply(done);
    });
}
