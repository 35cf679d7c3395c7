// SPDX-License-Identifier: GPL-2.0-or-later
// The library's only way of telling the user something: one line on stderr, with control
// characters escaped (names come from devices and files). A failure the user's action met is
// said every time; a background one that repeats, once per distinct message for the life of
// the process.
#pragma once

#include <string>

void report(const std::string &message);
void reportOnce(const std::string &message);
