// SPDX-License-Identifier: GPL-2.0-or-later
// What the ONVIF backend needs of libraries the rest of the program does without: HTTP
// (libcurl), XML (expat), SHA-1, base64 and random bytes (libcrypto); pictures fetched over
// HTTP use its HTTP too. They live in a module
// of their own that is loaded when an ONVIF camera is first used, so a panel without one
// starts and runs without them. Everything here is inline or virtual: the module and the
// library share no symbols.
#pragma once

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One element of a parsed document: its namespace and local name (prefixes are the sender's
// own and mean nothing), its attributes by local name, its text and its children.
struct XmlElement
{
    std::string ns, name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;
    std::vector<XmlElement> children;

    const XmlElement *child(const char *local) const
    {
        for (const XmlElement &c : children)
            if (c.name == local)
                return &c;
        return nullptr;
    }
    // The first element of that name at or below this one, depth first.
    const XmlElement *find(const char *local) const
    {
        if (name == local)
            return this;
        for (const XmlElement &c : children)
            if (const XmlElement *found = c.find(local))
                return found;
        return nullptr;
    }
    // Every element of that name below this one, in document order.
    void findAll(const char *local, std::vector<const XmlElement *> &out) const
    {
        for (const XmlElement &c : children) {
            if (c.name == local)
                out.push_back(&c);
            c.findAll(local, out);
        }
    }
    std::string attribute(const char *local) const
    {
        for (const auto &a : attributes)
            if (a.first == local)
                return a.second;
        return {};
    }
    // The text of the first element of that path of children, "" when there is none.
    std::string textAt(std::initializer_list<const char *> path) const
    {
        const XmlElement *at = this;
        for (const char *step : path)
            if (!(at = at->child(step)))
                return {};
        return at->text;
    }
};

// One HTTP connection to a camera, one request at a time, driven by the caller's thread.
class OnvifHttp
{
public:
    struct Answer
    {
        long status = 0;   // 0: no answer (error says why)
        std::string body;  // at most MaxBody bytes, or the limit of the GET
        std::string error; // transport failure
        bool tooLarge = false;
    };
    static constexpr size_t MaxBody = 512 * 1024;

    virtual ~OnvifHttp() = default;
    // Starts a SOAP 1.2 POST, dropping any still running. HTTP digest is answered with `user`
    // and `password` when the camera asks for it, never sent unasked.
    virtual void post(const std::string &url, const std::string &body, const std::string &action,
                      const std::string &user, const std::string &password,
                      std::chrono::milliseconds timeout) = 0;
    // Starts a GET of at most `limit` bytes, dropping any transfer still running. With a
    // `user`, HTTP digest is answered when the server asks for it, and basic too with `basic`.
    virtual void get(const std::string &url, const std::string &user, const std::string &password,
                     bool basic, std::chrono::milliseconds timeout, size_t limit) = 0;
    // Sleeps until the transfer can go on, `wake` is readable or `timeoutMs` has passed.
    virtual void wait(int wake, int timeoutMs) = 0;
    // Moves the transfer on; its answer once it has ended.
    virtual std::optional<Answer> progress() = 0;
    virtual bool busy() const = 0;
};

class OnvifWire
{
public:
    virtual ~OnvifWire() = default;
    virtual std::unique_ptr<OnvifHttp> http() = 0;
    // False, with why, for a document that is not well-formed, too large or too deep, or
    // that declares a DTD or entities.
    virtual bool parse(const std::string &text, XmlElement &root, std::string &error) = 0;
    virtual std::string sha1(const std::string &data) = 0;
    virtual std::string base64(const std::string &data) = 0;
    virtual std::string randomBytes(size_t count) = 0;

    static constexpr size_t MaxDepth = 48;
};

// The module's one entry point.
extern "C" {
using OnvifWireEntry = OnvifWire *(*)();
}
#define ONVIF_WIRE_ENTRY "ptz_onvif_wire_v2"
