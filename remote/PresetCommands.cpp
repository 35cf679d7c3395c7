// SPDX-License-Identifier: GPL-2.0-or-later
#include "PresetCommands.h"
#include "CameraSession.h"
#include "JsonFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstring>
#include <map>

namespace {

QString nameOf(const PresetRecord &kept)
{
    return QString::fromUtf8(kept.name, int(strnlen(kept.name, sizeof kept.name)));
}

bool setName(PresetRecord &kept, const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    if (utf8.size() >= int(sizeof kept.name))
        return false; // 64 characters of several bytes each
    std::memset(kept.name, 0, sizeof kept.name);
    std::memcpy(kept.name, utf8.constData(), size_t(utf8.size()));
    return true;
}

bool kept(const PresetRecord &r)
{
    return r.stored || r.speed || r.name[0];
}

QJsonObject toJson(int number, const PresetRecord &r)
{
    QJsonObject preset{{"preset", number}, {"stored", r.stored != 0}, {"name", nameOf(r)}};
    if (r.known & PRESET_PAN)
        preset.insert("pan", r.pan);
    if (r.known & PRESET_TILT)
        preset.insert("tilt", r.tilt);
    if (r.known & PRESET_ZOOM)
        preset.insert("zoom", r.zoom);
    if (r.speed)
        preset.insert("speed", r.speed);
    return preset;
}

// One preset of an import file, checked as the commands check what they are given.
QString fromJson(const QJsonValue &value, int &number, PresetRecord &r)
{
    const QJsonObject o = value.toObject();
    const auto whole = [&](const char *key, int low, int high, int32_t &into) {
        const QJsonValue v = o.value(key);
        const double d = v.toDouble(NAN);
        if (!v.isDouble() || d != std::floor(d) || d < low || d > high)
            return false;
        into = int32_t(d);
        return true;
    };
    int32_t n = 0;
    if (!value.isObject() || !whole("preset", 0, PresetCommands::Count - 1, n))
        return QStringLiteral("each preset needs \"preset\", a number from 0 to 255");
    number = n;
    r.stored = o.value("stored").toBool(true) ? 1 : 0;
    const QString name = o.value("name").toString();
    if (const QString problem = Command::presetNameProblem(name); !problem.isEmpty())
        return QStringLiteral("preset %1: %2").arg(number).arg(problem);
    if (!setName(r, name))
        return QStringLiteral("preset %1: its name is too long").arg(number);
    if (o.contains("speed") && !whole("speed", 0, Command::FastestPresetSpeed, r.speed))
        return QStringLiteral("preset %1: \"speed\" goes from 1 to 8").arg(number);
    const std::pair<const char *, std::pair<int32_t *, int32_t>> axes[] = {
        {"pan", {&r.pan, PRESET_PAN}},
        {"tilt", {&r.tilt, PRESET_TILT}},
        {"zoom", {&r.zoom, PRESET_ZOOM}}};
    for (const auto &[key, slot] : axes) {
        if (!o.contains(key))
            continue;
        if (!whole(key, INT32_MIN, INT32_MAX, *slot.first))
            return QStringLiteral("preset %1: \"%2\" must be a whole number").arg(number).arg(key);
        r.known |= slot.second;
    }
    return {};
}

// Where a parse error is, as an editor counts it.
QString placeOf(const QByteArray &text, int offset)
{
    const QByteArray before = text.left(offset);
    const int line = before.count('\n') + 1;
    const int column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

using Result = CameraSession::Result;

Outcome exportTo(const QString &path, CameraSession &session, const QString &name)
{
    // Other cameras' presets in the file stay, and whatever else it holds (the shots and
    // tours): one file can carry a room.
    QJsonObject had = JsonFile::read(path);
    QJsonArray cameras;
    for (const QJsonValue camera : had.value("cameras").toArray())
        if (camera.toObject().value("camera").toString() != name)
            cameras.append(camera);
    cameras.append(QJsonObject{{"camera", name}, {"presets", PresetCommands::list(session)}});
    had.insert("cameras", cameras);
    QString why;
    return JsonFile::write(path, had, why) ? Outcome{} : Outcome::failed(why, Outcome::NotStored);
}

Outcome importFrom(const QString &path, CameraSession &session, const QString &name)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failed(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()),
                               Outcome::NotFound);
    const QByteArray text = file.readAll();
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parsed);
    if (parsed.error != QJsonParseError::NoError)
        return Outcome::outOfRange(
            QStringLiteral("%1: %2: %3")
                .arg(path, placeOf(text, parsed.offset), parsed.errorString()));
    const QJsonValue cameras = document.object().value("cameras");
    if (!document.isObject() || !cameras.isArray())
        return Outcome::outOfRange(path + ": no \"cameras\" list");
    // All checked before anything is written: a file with one bad preset changes nothing.
    std::map<int, PresetRecord> presets;
    bool found = false;
    for (const QJsonValue camera : cameras.toArray()) {
        if (camera.toObject().value("camera").toString() != name)
            continue;
        found = true;
        const QJsonValue list = camera.toObject().value("presets");
        if (!list.isArray())
            return Outcome::outOfRange(path + ": no \"presets\" list for " + name);
        for (const QJsonValue value : list.toArray()) {
            int number = 0;
            PresetRecord r;
            if (const QString problem = fromJson(value, number, r); !problem.isEmpty())
                return Outcome::outOfRange(path + ": " + problem);
            presets[number] = r;
        }
    }
    if (!found)
        return Outcome::failed(QStringLiteral("%1 holds no presets of %2").arg(path, name),
                               Outcome::NotFound);
    for (const auto &[number, r] : presets)
        if (session.writePreset(number, r) != Result::Done)
            return Outcome::failed(
                QStringLiteral("%1 could not keep preset %2").arg(name).arg(number),
                Outcome::NotStored);
    return {};
}

} // namespace

int PresetCommands::numberOf(const QString &name, CameraSession &session)
{
    int loose = -1;
    for (int number = 0; number < Count; ++number) {
        PresetRecord r;
        if (session.readPreset(number, r) != Result::Done || !r.name[0])
            continue;
        const QString has = nameOf(r);
        if (has == name)
            return number;
        if (loose < 0 && has.compare(name, Qt::CaseInsensitive) == 0)
            loose = number;
    }
    return loose;
}

QJsonArray PresetCommands::list(CameraSession &session)
{
    QJsonArray presets;
    for (int number = 0; number < Count; ++number) {
        PresetRecord r;
        if (session.readPreset(number, r) == Result::Done && kept(r))
            presets.append(toJson(number, r));
    }
    return presets;
}

Outcome PresetCommands::run(const Command &c, CameraSession &session, const QString &camera,
                            int &number)
{
    number = c.number;
    const bool byName = c.kind == Command::Preset || c.kind == Command::Store ||
                        c.kind == Command::Clear || c.kind == Command::NamePreset;
    if (byName && !c.text.isEmpty()) {
        number = numberOf(c.text, session);
        if (number < 0)
            return {2,
                    {},
                    QStringLiteral("no preset of %1 is named %2").arg(camera, c.text),
                    Outcome::NotFound,
                    {}};
    }
    PresetRecord r;
    switch (c.kind) {
    case Command::Preset: {
        // A camera keeping its presets itself may hold some the library never heard of.
        const bool told = session.readPreset(number, r) == Result::Done;
        if (c.held && session.planRecall(number, c.speed, c.seconds) == Result::Done)
            return Outcome::found(number);
        const int speed = c.speed ? c.speed : r.stored ? r.speed : 0;
        if (speed || c.seconds > 0 || c.held) {
            if (!c.held && session.glideTo(number, speed, c.seconds) == Result::Done)
                return {};
            if (told && !r.stored)
                return Outcome::failed(QStringLiteral("preset %1 is not stored").arg(number),
                                       Outcome::NotFound);
            return Outcome::failed(camera + QStringLiteral(" did not go to preset %1").arg(number));
        }
        return session.recall(number) == Result::Done
                   ? Outcome{}
                   : Outcome::failed(QStringLiteral("preset %1 is not stored").arg(number),
                                     Outcome::NotFound);
    }
    case Command::NamePreset: {
        if (const QString problem = Command::presetNameProblem(c.name); !problem.isEmpty())
            return Outcome::outOfRange(problem);
        const int other = c.name.isEmpty() ? -1 : numberOf(c.name, session);
        if (other >= 0 && other != number)
            return Outcome::outOfRange(
                QStringLiteral("preset %1 is named %2 already").arg(other).arg(c.name));
        if (session.readPreset(number, r) != Result::Done || !setName(r, c.name))
            return Outcome::failed(camera + " cannot name its presets", Outcome::Unsupported);
        break;
    }
    case Command::Store:
        // The position first: a speed for a preset that could not be stored means nothing.
        if (session.store(number) != Result::Done)
            return Outcome::failed(
                QStringLiteral("%1 could not store preset %2").arg(camera).arg(number),
                Outcome::NotStored);
        if (!c.speed)
            return {};
        if (session.readPreset(number, r) != Result::Done)
            return Outcome::failed(camera + " cannot keep a preset's speed", Outcome::Unsupported);
        r.speed = c.speed;
        break;
    case Command::Clear:
        if (session.clear(number) == Result::Done)
            return {};
        return Outcome::failed(
            QStringLiteral("%1 could not clear preset %2").arg(camera).arg(number),
            Outcome::NotStored);
    case Command::ListPresets:
        return Outcome::found(list(session));
    case Command::ExportPresets:
        return exportTo(c.text, session, camera);
    case Command::ImportPresets:
        return importFrom(c.text, session, camera);
    default:
        return Outcome::misused("unknown command");
    }
    if (session.writePreset(number, r) != Result::Done)
        return Outcome::failed(
            QStringLiteral("%1 could not keep preset %2").arg(camera).arg(number),
            Outcome::NotStored);
    return {};
}
