// SPDX-License-Identifier: GPL-2.0-or-later
// Numbers as files and the wire carry them: always with a decimal point, whatever LC_NUMERIC
// the program runs under (a Qt program takes the user's, and de_DE writes "0,5").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Numbers {

// Six significant digits, as "%.6g" writes them in the C locale.
std::string text(double value);
// A finite decimal number, surrounding blanks and a leading '+' allowed; nothing else.
std::optional<double> real(std::string_view text);
// A whole number in decimal, surrounding blanks and a leading '+' allowed; nothing else.
std::optional<int64_t> whole(std::string_view text);

} // namespace Numbers
