// SPDX-License-Identifier: GPL-2.0-or-later
#include "XmlReader.h"

#include <expat.h>

namespace {

constexpr char Separator = '\x01'; // between a name's namespace and its local part

struct Reading
{
    XML_Parser parser = nullptr;
    std::vector<XmlElement *> open; // the elements entered and not yet left
    XmlElement *root = nullptr;
    bool rooted = false;
    std::string refused;

    void refuse(const std::string &why)
    {
        if (refused.empty())
            refused = why;
        XML_StopParser(parser, XML_FALSE);
    }
};

void splitName(const char *full, std::string &ns, std::string &local)
{
    const char *cut = std::strchr(full, Separator);
    if (cut) {
        ns.assign(full, cut);
        local = cut + 1;
    } else {
        ns.clear();
        local = full;
    }
}

void XMLCALL started(void *data, const XML_Char *name, const XML_Char **attributes)
{
    auto *r = static_cast<Reading *>(data);
    if (r->open.size() >= OnvifWire::MaxDepth)
        return r->refuse("more than " + std::to_string(OnvifWire::MaxDepth) + " levels");
    XmlElement *element = nullptr;
    if (r->open.empty()) {
        element = r->root;
        r->rooted = true;
    } else {
        r->open.back()->children.emplace_back();
        element = &r->open.back()->children.back();
    }
    splitName(name, element->ns, element->name);
    for (const XML_Char **a = attributes; a && *a; a += 2) {
        std::string ns, local;
        splitName(a[0], ns, local);
        element->attributes.emplace_back(local, a[1]);
    }
    r->open.push_back(element);
}

void XMLCALL ended(void *data, const XML_Char *)
{
    auto *r = static_cast<Reading *>(data);
    XmlElement *element = r->open.back();
    // The text of an element is what it holds around its children, without the layout.
    const char *space = " \t\r\n";
    const auto first = element->text.find_first_not_of(space);
    element->text =
        first == std::string::npos
            ? std::string()
            : element->text.substr(first, element->text.find_last_not_of(space) - first + 1);
    r->open.pop_back();
}

void XMLCALL characters(void *data, const XML_Char *text, int length)
{
    auto *r = static_cast<Reading *>(data);
    if (!r->open.empty())
        r->open.back()->text.append(text, size_t(length));
}

void XMLCALL doctype(void *data, const XML_Char *, const XML_Char *, const XML_Char *, int)
{
    static_cast<Reading *>(data)->refuse("a document type declaration");
}

void XMLCALL entity(void *data, const XML_Char *, int, const XML_Char *, int, const XML_Char *,
                    const XML_Char *, const XML_Char *, const XML_Char *)
{
    static_cast<Reading *>(data)->refuse("an entity declaration");
}

int XMLCALL external(XML_Parser, const XML_Char *, const XML_Char *, const XML_Char *,
                     const XML_Char *)
{
    return XML_STATUS_ERROR;
}

} // namespace

bool XmlReader::parse(const std::string &text, XmlElement &root, std::string &error)
{
    root = XmlElement{};
    if (text.size() > OnvifHttp::MaxBody) {
        error = "a document larger than " + std::to_string(OnvifHttp::MaxBody / 1024) + " KiB";
        return false;
    }
    Reading r;
    r.root = &root;
    r.parser = XML_ParserCreateNS("UTF-8", Separator);
    if (!r.parser) {
        error = "no memory for the parser";
        return false;
    }
    XML_SetUserData(r.parser, &r);
    XML_SetElementHandler(r.parser, started, ended);
    XML_SetCharacterDataHandler(r.parser, characters);
    XML_SetStartDoctypeDeclHandler(r.parser, doctype);
    XML_SetEntityDeclHandler(r.parser, entity);
    XML_SetExternalEntityRefHandler(r.parser, external);
    XML_SetParamEntityParsing(r.parser, XML_PARAM_ENTITY_PARSING_NEVER);
    const bool ok = XML_Parse(r.parser, text.data(), int(text.size()), XML_TRUE) == XML_STATUS_OK;
    if (!ok)
        error = !r.refused.empty() ? r.refused : XML_ErrorString(XML_GetErrorCode(r.parser));
    else if (!r.rooted)
        error = "an empty document";
    XML_ParserFree(r.parser);
    return ok && r.rooted;
}
