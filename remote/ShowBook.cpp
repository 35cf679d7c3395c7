// SPDX-License-Identifier: GPL-2.0-or-later
#include "ShowBook.h"
#include "JsonFile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cstdio>

ShowBook::ShowBook(const QString &place)
    : directory(place.isEmpty()
                    ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                          QStringLiteral("/ptz-panel")
                    : place)
{
    load(Command::DefineShot);
    load(Command::DefineTour);
}

QString ShowBook::keyOf(Command::Kind kind)
{
    return kind == Command::DefineTour ? QStringLiteral("tours") : QStringLiteral("shots");
}

QString ShowBook::pathOf(Command::Kind kind) const
{
    return directory + '/' + keyOf(kind) + QStringLiteral(".json");
}

std::map<QString, Command> &ShowBook::of(Command::Kind kind)
{
    return kind == Command::DefineTour ? tours : shots;
}

const std::map<QString, Command> &ShowBook::all(Command::Kind kind) const
{
    return kind == Command::DefineTour ? tours : shots;
}

const Command *ShowBook::find(Command::Kind kind, const QString &name) const
{
    const auto &definitions = all(kind);
    const auto found = definitions.find(name);
    return found == definitions.end() ? nullptr : &found->second;
}

namespace {

QJsonArray listOf(const std::map<QString, Command> &definitions)
{
    QJsonArray list;
    for (const auto &[name, definition] : definitions) {
        QJsonObject json = definition.definition();
        json.insert("name", name);
        list.append(json);
    }
    return list;
}

} // namespace

QJsonArray ShowBook::list(Command::Kind kind) const
{
    return listOf(all(kind));
}

bool ShowBook::read(Command::Kind kind, const QJsonValue &list, std::vector<Command> &into,
                    QString &why)
{
    const QString what = kind == Command::DefineTour ? "tour" : "shot";
    if (!list.isArray()) {
        why = QStringLiteral("\"%1\" is no list").arg(keyOf(kind));
        return false;
    }
    for (const QJsonValue value : list.toArray()) {
        Command c;
        c.kind = kind;
        c.name = value.toObject().value("name").toString();
        Command::Value wrong;
        if (!value.isObject() || !value.toObject().value("name").isString())
            why = QStringLiteral("each %1 needs a \"name\"").arg(what);
        else if (!c.readDefinition(value.toObject(), why))
            why = QStringLiteral("%1 %2: %3").arg(what, c.name, why);
        else if (!c.check(wrong))
            why = QStringLiteral("%1 %2 needs %3").arg(what, c.name, Command::needs(wrong, kind));
        if (!why.isEmpty())
            return false;
        into.push_back(c);
    }
    return true;
}

void ShowBook::load(Command::Kind kind)
{
    const QString path = pathOf(kind);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parsed);
    file.close();
    QString why =
        parsed.error != QJsonParseError::NoError
            ? QStringLiteral("at byte %1: %2").arg(parsed.offset).arg(parsed.errorString())
            : QString();
    std::map<QString, Command> &definitions = of(kind);
    // One by one, so that a wrong one loses only itself.
    const QJsonArray entries = document.object().value(keyOf(kind)).toArray();
    if (why.isEmpty() && !document.object().value(keyOf(kind)).isArray())
        why = QStringLiteral("no \"%1\" list").arg(keyOf(kind));
    for (const QJsonValue entry : entries) {
        std::vector<Command> one;
        QString wrong;
        if (read(kind, QJsonArray{entry}, one, wrong))
            definitions[one.front().name] = one.front();
        else if (why.isEmpty())
            why = wrong;
    }
    if (why.isEmpty())
        return;
    // Set aside rather than overwritten, and said this once: the next start finds it gone.
    QString aside = path + QStringLiteral(".broken");
    for (int n = 2; QFile::exists(aside); ++n)
        aside = path + QStringLiteral(".broken-%1").arg(n);
    const bool moved = QFile::rename(path, aside);
    QString saved;
    if (moved && !definitions.empty() && !save(kind, definitions, saved))
        why += "; " + saved;
    std::fprintf(stderr, "ptz-panel: %s: %s; %s\n", qPrintable(path), qPrintable(why),
                 moved ? qPrintable(QStringLiteral("kept as %1, with %2 %3 that could be read")
                                        .arg(aside)
                                        .arg(definitions.size())
                                        .arg(keyOf(kind)))
                       : "it could not be set aside and is left as it is");
}

bool ShowBook::save(Command::Kind kind, const std::map<QString, Command> &definitions, QString &why)
{
    QDir().mkpath(directory);
    return JsonFile::write(pathOf(kind), QJsonObject{{keyOf(kind), listOf(definitions)}}, why);
}

bool ShowBook::keep(const std::vector<Command> &definitions, QString &why)
{
    for (const Command::Kind kind : {Command::DefineShot, Command::DefineTour}) {
        std::map<QString, Command> changed = of(kind);
        bool touched = false;
        for (const Command &c : definitions)
            if (c.kind == kind) {
                changed[c.name] = c;
                touched = true;
            }
        if (!touched)
            continue;
        if (!save(kind, changed, why))
            return false;
        of(kind) = std::move(changed);
    }
    return true;
}

bool ShowBook::remove(Command::Kind kind, const QString &name, QString &why)
{
    std::map<QString, Command> changed = of(kind);
    changed.erase(name);
    if (!save(kind, changed, why))
        return false;
    of(kind) = std::move(changed);
    return true;
}
