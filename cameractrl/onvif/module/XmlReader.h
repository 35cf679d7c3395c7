// SPDX-License-Identifier: GPL-2.0-or-later
// Reads what a camera sends into XmlElement trees with expat, refusing what a camera never
// needs to send and a hostile peer would: a DTD (and with it every entity of its own),
// external entities, more than MaxDepth levels, more than MaxBody bytes.
#pragma once

#include "OnvifWire.h"

class XmlReader
{
public:
    static bool parse(const std::string &text, XmlElement &root, std::string &error);
};
