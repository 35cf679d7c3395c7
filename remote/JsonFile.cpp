// SPDX-License-Identifier: GPL-2.0-or-later
#include "JsonFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

QJsonObject JsonFile::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

bool JsonFile::write(const QString &path, const QJsonObject &json, QString &why)
{
    QSaveFile file(path);
    const QByteArray text = QJsonDocument(json).toJson();
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    why = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}
