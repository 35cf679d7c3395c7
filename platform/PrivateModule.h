// SPDX-License-Identifier: GPL-2.0-or-later
// A part of the program kept in a module of its own (lib<name>.so in the program's private
// library directory, or beside the program in a build tree), opened only when it is needed,
// so that what it links (SDL, libmicrohttpd and their chains) costs nothing until then.
// Each module exports one entry point, whose name carries the version of the interface it
// was built for: a module from another build is refused rather than called.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class PrivateModule
{
public:
    // `what` leads the message when it cannot be opened ("game controllers cannot be read").
    PrivateModule(const char *name, const char *entry, const QString &what);

    // The entry point, opening the module on the first call; nullptr when it cannot be had.
    // Why not is printed once on stderr, and the module is not tried again.
    QFunctionPointer entry();
    // Why the module is unavailable; empty while it has not failed.
    QString error() const { return why; }

    // Where modules are looked for, in order.
    static QStringList directories();
    // Lets tests find the modules of the build tree from their own directory.
    static void setDirectoryForTesting(const QString &directory);

private:
    QString fileName;
    QByteArray entryName;
    QString what;
    QFunctionPointer found = nullptr;
    bool tried = false;
    QString why;
};
