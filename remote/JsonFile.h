// SPDX-License-Identifier: GPL-2.0-or-later
// A JSON object in a file of the user's: read whole, and replaced atomically (QSaveFile), so
// that a full disk or a crash leaves the old file or the new one, never a mix.
#pragma once

#include <QJsonObject>
#include <QString>

class JsonFile
{
public:
    // What `path` holds; an empty object when it cannot be read or holds no object.
    static QJsonObject read(const QString &path);
    // False, with why, when it cannot be written; the old file is untouched then.
    static bool write(const QString &path, const QJsonObject &json, QString &why);
};
