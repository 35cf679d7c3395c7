// SPDX-License-Identifier: GPL-2.0-or-later
#include "PasswordPrompt.h"

#include <cstdio>
#include <termios.h>
#include <unistd.h>

bool PasswordPrompt::read(const QString &prompt, std::string &password, QString &why)
{
    const bool terminal = isatty(STDIN_FILENO);
    termios saved = {};
    if (terminal) {
        std::fprintf(stderr, "%s", prompt.toLocal8Bit().constData());
        std::fflush(stderr);
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    password.clear();
    bool ended = false;
    for (int c; (c = std::getchar()) != EOF;) {
        if (c == '\n') {
            ended = true;
            break;
        }
        password += char(c);
    }
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputc('\n', stderr);
    }
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    if (password.empty()) {
        why = ended || terminal ? QStringLiteral("no password given")
                                : QStringLiteral("no password on standard input");
        return false;
    }
    return true;
}
