// SPDX-License-Identifier: GPL-2.0-or-later
// A password for the command line, never on it: asked on the terminal without echo, or
// read as the first line of standard input when that is not a terminal.
#pragma once

#include <QString>

#include <string>

class PasswordPrompt
{
public:
    // False, with why, when none could be read or it is empty.
    static bool read(const QString &prompt, std::string &password, QString &why);
};
