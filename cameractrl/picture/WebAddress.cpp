// SPDX-License-Identifier: GPL-2.0-or-later
#include "WebAddress.h"

#include <cctype>
#include <cstdlib>

namespace {

std::string decoded(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += char(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

WebAddress WebAddress::parse(const std::string &url)
{
    WebAddress a;
    a.bare = url;
    const auto colon = url.find("://");
    if (colon == std::string::npos)
        return a;
    for (size_t i = 0; i < colon; ++i)
        a.scheme += char(std::tolower(static_cast<unsigned char>(url[i])));
    const size_t from = colon + 3;
    const auto end = url.find_first_of("/?#", from);
    const std::string authority = url.substr(from, end == std::string::npos ? end : end - from);
    const auto at = authority.rfind('@');
    if (at == std::string::npos)
        return a;
    const std::string credentials = authority.substr(0, at);
    const auto split = credentials.find(':');
    a.user = decoded(credentials.substr(0, split));
    if (split != std::string::npos)
        a.password = decoded(credentials.substr(split + 1));
    a.bare = url.substr(0, from) + authority.substr(at + 1) +
             (end == std::string::npos ? std::string() : url.substr(end));
    return a;
}
