// SPDX-License-Identifier: GPL-2.0-or-later
// The shots and tours the user has defined, kept in the configuration directory as
// shots.json and tours.json, each replaced atomically as it changes. A file that cannot be
// read whole is set aside under another name and said once on stderr; what could be read of
// it is written back, and the other file is not touched.
#pragma once

#include "Command.h"

#include <QJsonArray>
#include <QString>

#include <map>
#include <vector>

class ShowBook
{
public:
    // The files of `directory`; by default $XDG_CONFIG_HOME/ptz-panel (or ~/.config/ptz-panel).
    explicit ShowBook(const QString &directory = {});

    // The definitions of `kind` (DefineShot or DefineTour), by name.
    const std::map<QString, Command> &all(Command::Kind kind) const;
    const Command *find(Command::Kind kind, const QString &name) const;
    // Keeps each definition under its name, in place of one of that name; false, with why,
    // when a file cannot be written, and then nothing changes.
    bool keep(const std::vector<Command> &definitions, QString &why);
    bool remove(Command::Kind kind, const QString &name, QString &why);
    // The definitions of `kind` as JSON, each with its "name", as the files and exports list
    // them; read() takes such a list back, false with why at the first that is wrong.
    QJsonArray list(Command::Kind kind) const;
    static bool read(Command::Kind kind, const QJsonValue &list, std::vector<Command> &into,
                     QString &why);
    // "shots" or "tours": the files' and exports' key.
    static QString keyOf(Command::Kind kind);

private:
    QString pathOf(Command::Kind kind) const;
    std::map<QString, Command> &of(Command::Kind kind);
    void load(Command::Kind kind);
    bool save(Command::Kind kind, const std::map<QString, Command> &definitions, QString &why);

    QString directory;
    std::map<QString, Command> shots, tours;
};
