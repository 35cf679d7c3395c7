// SPDX-License-Identifier: GPL-2.0-or-later
#include "Numbers.h"

#include <charconv>
#include <cmath>

namespace Numbers {

namespace {

std::string_view bare(std::string_view text)
{
    const char *blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    // from_chars takes no plus sign, which XML's numbers and hand-written files may have.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

template <typename Number> std::optional<Number> parsed(std::string_view text)
{
    text = bare(text);
    Number value{};
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

std::string text(double value)
{
    char out[32];
    const auto result = std::to_chars(out, out + sizeof out, value, std::chars_format::general, 6);
    return std::string(out, result.ptr);
}

std::optional<double> real(std::string_view text)
{
    const auto value = parsed<double>(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

std::optional<int64_t> whole(std::string_view text)
{
    return parsed<int64_t>(text);
}

} // namespace Numbers
