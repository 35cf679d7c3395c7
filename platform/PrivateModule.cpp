// SPDX-License-Identifier: GPL-2.0-or-later
#include "PrivateModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

namespace {

QString testDirectory;

} // namespace

PrivateModule::PrivateModule(const char *name, const char *entry, const QString &what)
    : fileName(QStringLiteral("lib%1.so").arg(QLatin1String(name))), entryName(entry), what(what)
{}

void PrivateModule::setDirectoryForTesting(const QString &directory)
{
    testDirectory = directory;
}

QStringList PrivateModule::directories()
{
    const QString program = QCoreApplication::applicationDirPath();
    QStringList found;
    if (!testDirectory.isEmpty())
        found << testDirectory;
    // A build tree keeps them beside the program; an installed one, where the camera library is.
    found << program << QDir::cleanPath(program + QStringLiteral("/../" PTZ_PRIVATE_LIBDIR));
    return found;
}

QFunctionPointer PrivateModule::entry()
{
    if (tried)
        return found;
    tried = true;
    QString path;
    for (const QString &directory : directories()) {
        if (QFileInfo::exists(directory + '/' + fileName)) {
            path = directory + '/' + fileName;
            break;
        }
    }
    if (path.isEmpty()) {
        why = QStringLiteral("%1: %2 is missing").arg(what, fileName);
    } else {
        QLibrary library(path);
        // Never unloaded: its objects live as long as the program.
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (!library.load())
            why = QStringLiteral("%1: %2").arg(what, library.errorString());
        else if (!(found = library.resolve(entryName.constData())))
            why = QStringLiteral("%1: %2 is not from this version of the program").arg(what, path);
    }
    if (!why.isEmpty())
        std::fprintf(stderr, "ptz-panel: %s\n", qPrintable(why));
    return found;
}
