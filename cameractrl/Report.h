// The library's only way of telling the user something: one line on stderr, once per
// distinct message for the life of the process.
#pragma once

#include <string>

void reportOnce(const std::string &message);
