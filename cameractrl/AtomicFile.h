// SPDX-License-Identifier: GPL-2.0-or-later
// Replaces a file so that a crash or a full disk at any moment leaves either the old file
// or the new one, never a mix: a unique temporary beside it, written, flushed and synced,
// then renamed over it.
#pragma once

#include <string>

// Creates the parent directory if needed. On failure `error` says what went wrong and the
// old file is untouched.
bool writeFileAtomically(const std::string &path, const std::string &contents, std::string &error);
