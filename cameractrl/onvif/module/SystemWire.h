// SPDX-License-Identifier: GPL-2.0-or-later
// The module's OnvifWire: libcurl, expat and libcrypto.
#pragma once

#include "OnvifWire.h"

class SystemWire final : public OnvifWire
{
public:
    SystemWire();
    std::unique_ptr<OnvifHttp> http() override;
    bool parse(const std::string &text, XmlElement &root, std::string &error) override;
    std::string sha1(const std::string &data) override;
    std::string base64(const std::string &data) override;
    std::string randomBytes(size_t count) override;
};
