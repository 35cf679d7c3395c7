// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifEmulator.h"

#include <arpa/inet.h>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <optional>
#include <poll.h>
#include <regex>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr double PanDegrees = 170, TiltLow = -30, TiltHigh = 90;

std::string digest(const EVP_MD *md, const std::string &data)
{
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(data.data(), data.size(), out, &size, md, nullptr);
    return std::string(reinterpret_cast<char *>(out), size);
}

std::string hex(const std::string &raw)
{
    static const char *digits = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : raw) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string base64(const std::string &raw)
{
    std::string out(4 * ((raw.size() + 2) / 3) + 1, '\0');
    out.resize(size_t(EVP_EncodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                                      reinterpret_cast<const unsigned char *>(raw.data()),
                                      int(raw.size()))));
    return out;
}

std::string unbase64(const std::string &text)
{
    std::string out(text.size(), '\0');
    const int n =
        EVP_DecodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                        reinterpret_cast<const unsigned char *>(text.data()), int(text.size()));
    if (n < 0)
        return {};
    size_t size = size_t(n);
    for (size_t i = text.size(); i > 0 && text[i - 1] == '='; --i)
        --size; // the decoder counts padding as bytes
    out.resize(size);
    return out;
}

// The text of the first element of that local name, whatever its prefix.
std::string element(const std::string &body, const std::string &name)
{
    const std::regex pattern("<(\\w+:)?" + name + "(\\s[^>]*)?>([^<]*)<");
    std::smatch m;
    return std::regex_search(body, m, pattern) ? m[3].str() : std::string();
}

std::string attribute(const std::string &body, const std::string &elementName,
                      const std::string &name)
{
    const std::regex pattern("<(\\w+:)?" + elementName + "\\s[^>]*\\b" + name + "=\"([^\"]*)\"");
    std::smatch m;
    return std::regex_search(body, m, pattern) ? m[2].str() : std::string();
}

// As a camera writes and reads them: with a decimal point, whatever the test's locale.
std::string num(double v)
{
    char text[32];
    return std::string(
        text, std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6).ptr);
}

std::optional<double> real(const std::string &text)
{
    double v = 0;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, v);
    return !text.empty() && result.ec == std::errc() && result.ptr == end ? std::optional(v)
                                                                          : std::nullopt;
}

std::string envelope(const std::string &inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SOAP-ENV:Envelope "
           "xmlns:SOAP-ENV=\"http://www.w3.org/2003/05/soap-envelope\" "
           "xmlns:tt=\"http://www.onvif.org/ver10/schema\" "
           "xmlns:tds=\"http://www.onvif.org/ver10/device/wsdl\" "
           "xmlns:trt=\"http://www.onvif.org/ver10/media/wsdl\" "
           "xmlns:tptz=\"http://www.onvif.org/ver20/ptz/wsdl\" "
           "xmlns:timg=\"http://www.onvif.org/ver20/imaging/wsdl\" "
           "xmlns:ter=\"http://www.onvif.org/ver10/error\"><SOAP-ENV:Body>" +
           inner + "</SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

std::string fault(const std::string &subcode, const std::string &reason)
{
    return envelope("<SOAP-ENV:Fault><SOAP-ENV:Code><SOAP-ENV:Value>SOAP-ENV:Sender</"
                    "SOAP-ENV:Value><SOAP-ENV:Subcode><SOAP-ENV:Value>" +
                    subcode +
                    "</SOAP-ENV:Value></SOAP-ENV:Subcode></SOAP-ENV:Code><SOAP-ENV:Reason><"
                    "SOAP-ENV:Text xml:lang=\"en\">" +
                    reason + "</SOAP-ENV:Text></SOAP-ENV:Reason></SOAP-ENV:Fault>");
}

std::string range(const std::string &name, double min, double max)
{
    return "<tt:" + name + "><tt:Min>" + num(min) + "</tt:Min><tt:Max>" + num(max) +
           "</tt:Max></tt:" + name + ">";
}

std::string space(const std::string &kind, const std::string &uri, double xmin, double xmax,
                  double ymin, double ymax, bool y = true)
{
    return "<tt:" + kind + "><tt:URI>" + uri + "</tt:URI>" + range("XRange", xmin, xmax) +
           (y ? range("YRange", ymin, ymax) : "") + "</tt:" + kind + ">";
}

bool sendAll(int fd, const std::string &data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}

const std::set<std::string> &readingOperations()
{
    static const std::set<std::string> names = {
        "GetSystemDateAndTime",    "GetServices",   "GetCapabilities", "GetProfiles",
        "GetConfigurationOptions", "GetPresets",    "GetStatus",       "GetOptions",
        "GetImagingSettings",      "GetSnapshotUri"};
    return names;
}

} // namespace

OnvifEmulator::OnvifEmulator()
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    httpFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(httpFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    ::bind(httpFd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(httpFd, 8);
    ::getsockname(httpFd, reinterpret_cast<sockaddr *>(&address), &size);
    httpPort = ntohs(address.sin_port);
    address.sin_port = 0;
    udpFd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ::bind(udpFd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    size = sizeof address;
    ::getsockname(udpFd, reinterpret_cast<sockaddr *>(&address), &size);
    udpPort = ntohs(address.sin_port);
    wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    camera.presets = {{"1", "1"}};
    thread = std::thread([this] { run(); });
}

OnvifEmulator::~OnvifEmulator()
{
    stopping = true;
    const uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(wakeFd, &one, sizeof one);
    thread.join();
    ::close(httpFd);
    ::close(udpFd);
    ::close(wakeFd);
}

std::string OnvifEmulator::line(const std::string &name, const std::string &user) const
{
    return "\"" + name + "\", onvif, 127.0.0.1, " + std::to_string(httpPort) +
           (user.empty() ? "" : ", " + user);
}

std::string OnvifEmulator::snapshotUrl(const std::string &credentials) const
{
    return "http://" + (credentials.empty() ? "" : credentials + "@") +
           "127.0.0.1:" + std::to_string(httpPort) + "/snapshot.jpg";
}

std::vector<OnvifEmulator::Received> OnvifEmulator::received()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return log;
}

std::vector<std::string> OnvifEmulator::operations(bool skipReading)
{
    std::vector<std::string> names;
    for (const Received &r : received())
        if (!skipReading || !readingOperations().count(r.operation))
            names.push_back(r.operation);
    return names;
}

void OnvifEmulator::clearReceived()
{
    const std::lock_guard<std::mutex> lock(mutex);
    log.clear();
}

OnvifEmulator::Behaviour OnvifEmulator::state()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return camera;
}

bool OnvifEmulator::waitFor(const std::string &operation, std::chrono::milliseconds limit,
                            int count)
{
    std::unique_lock<std::mutex> lock(mutex);
    return arrived.wait_for(lock, limit, [&] {
        int seen = 0;
        for (const Received &r : log)
            seen += r.operation == operation;
        return seen >= count;
    });
}

void OnvifEmulator::run()
{
    std::vector<int> held; // connections of a silent camera, never answered
    while (!stopping) {
        pollfd watched[3] = {{httpFd, POLLIN, 0}, {udpFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (::poll(watched, 3, 200) <= 0)
            continue;
        if (watched[1].revents)
            probe();
        if (!(watched[0].revents & POLLIN))
            continue;
        const int client = ::accept4(httpFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        serve(client);
        bool silent = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            silent = camera.silent;
        }
        if (silent)
            held.push_back(client);
        else
            ::close(client);
    }
    for (const int fd : held)
        ::close(fd);
}

void OnvifEmulator::serve(int client)
{
    std::string request;
    size_t headerEnd = std::string::npos, length = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
        if (headerEnd != std::string::npos && request.size() >= headerEnd + 4 + length)
            break;
        pollfd p = {client, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
        if (n <= 0)
            return;
        request.append(chunk, size_t(n));
        if (headerEnd == std::string::npos &&
            (headerEnd = request.find("\r\n\r\n")) != std::string::npos) {
            std::smatch m;
            const std::string head = request.substr(0, headerEnd);
            if (std::regex_search(head, m,
                                  std::regex("Content-Length: *(\\d+)", std::regex::icase)))
                length = std::stoul(m[1]);
        }
    }
    if (headerEnd == std::string::npos)
        return;
    const std::string head = request.substr(0, headerEnd);
    const std::string body = request.substr(headerEnd + 4);
    const std::string method = head.substr(0, head.find(' '));
    const std::string path =
        head.substr(method.size() + 1, head.find(' ', method.size() + 1) - method.size() - 1);

    Received r;
    r.at = std::chrono::steady_clock::now();
    r.path = path;
    r.body = body;
    std::smatch m;
    if (std::regex_search(body, m, std::regex("<(\\w+:)?Body[^>]*>\\s*<(\\w+:)?(\\w+)")))
        r.operation = m[3];

    Behaviour b;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        b = camera;
    }
    std::string status = "200 OK", extra, reply;
    const bool open = r.operation == "GetSystemDateAndTime"; // asked before signing in
    // HTTP digest (RFC 7616 with qop auth) when it asks for it.
    std::smatch auth;
    if (std::regex_search(head, auth, std::regex("Authorization: Digest ([^\r]*)"))) {
        const std::string fields = auth[1];
        const auto field = [&](const char *name) {
            std::smatch f;
            const std::regex pattern(std::string(name) + "=\"?([^\",]*)\"?");
            return std::regex_search(fields, f, pattern) ? f[1].str() : std::string();
        };
        const std::string ha1 =
            hex(digest(EVP_md5(), field("username") + ":" + field("realm") + ":" + b.password));
        const std::string ha2 = hex(digest(EVP_md5(), method + ":" + field("uri")));
        const std::string expected =
            hex(digest(EVP_md5(), ha1 + ":" + field("nonce") + ":" + field("nc") + ":" +
                                      field("cnonce") + ":" + field("qop") + ":" + ha2));
        r.httpDigest = field("username") == b.user && field("response") == expected;
    }
    // WS-Security UsernameToken, its time by this camera's clock.
    const std::string user = element(body, "Username");
    if (!user.empty()) {
        const std::string created = element(body, "Created");
        std::tm parts = {};
        strptime(created.c_str(), "%Y-%m-%dT%H:%M:%SZ", &parts);
        const long off = long(timegm(&parts)) - long(std::time(nullptr) + b.skewSeconds);
        r.usernameToken =
            user == b.user && std::labs(off) <= 5 &&
            element(body, "Password") ==
                base64(digest(EVP_sha1(), unbase64(element(body, "Nonce")) + created + b.password));
    }
    if (method == "GET")
        return serveSnapshot(client, b.user.empty() || r.httpDigest, b);
    // A request challenged for its digest has not reached the camera yet.
    const bool challenged = !b.user.empty() && !open && b.digest && !r.httpDigest;
    if (!challenged) {
        const std::lock_guard<std::mutex> lock(mutex);
        log.push_back(r);
    }
    arrived.notify_all();
    if (b.silent)
        return;
    if (b.delay.count())
        std::this_thread::sleep_for(b.delay);

    if (challenged) {
        status = "401 Unauthorized";
        extra = "WWW-Authenticate: Digest realm=\"camera\", qop=\"auth\", nonce=\"" +
                hex(digest(EVP_md5(), std::to_string(std::rand()))) + "\"\r\n";
        reply = "";
    } else if (!b.user.empty() && !open && !b.digest && !r.usernameToken) {
        status = "400 Bad Request";
        reply = fault("ter:NotAuthorized", "Sender not authorized");
    } else if (b.faults.count(r.operation)) {
        status = "400 Bad Request";
        reply = fault("ter:ActionNotSupported", "Optional action not implemented");
    } else {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            reply = answer(r.operation, body, camera);
        }
        if (reply.empty()) {
            status = "400 Bad Request";
            reply = fault("ter:InvalidArgVal", "Unknown token");
        }
    }
    switch (b.junk) {
    case Junk::None:
        break;
    case Junk::NotXml:
        reply = "<html><body>It works!";
        break;
    case Junk::Entities: {
        reply = "<?xml version=\"1.0\"?><!DOCTYPE e [<!ENTITY a \"aaaaaaaaaa\">";
        for (int i = 1; i < 10; ++i) {
            std::string value;
            for (int k = 0; k < 10; ++k)
                value += "&" + std::string(1, char('a' + i - 1)) + ";";
            reply += "<!ENTITY " + std::string(1, char('a' + i)) + " \"" + value + "\">";
        }
        reply += "]>" + envelope("<x>&j;</x>");
        break;
    }
    case Junk::Deep:
        reply.clear();
        for (int i = 0; i < 1000; ++i)
            reply += "<d>";
        break;
    case Junk::Huge:
        reply = envelope("<x>" + std::string(600 * 1024, 'x') + "</x>");
        break;
    case Junk::External:
        reply = "<?xml version=\"1.0\"?><!DOCTYPE e [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" +
                envelope("<x>&x;</x>");
        break;
    }
    sendAll(client, "HTTP/1.1 " + status + "\r\nContent-Type: application/soap+xml\r\n" + extra +
                        "Content-Length: " + std::to_string(reply.size()) +
                        "\r\nConnection: close\r\n\r\n" + reply);
}

void OnvifEmulator::serveSnapshot(int client, bool signedIn, const Behaviour &b)
{
    if (b.silent)
        return;
    if (b.delay.count())
        std::this_thread::sleep_for(b.delay);
    std::string status = "200 OK", extra, reply;
    if (!signedIn) {
        status = "401 Unauthorized";
        extra = "WWW-Authenticate: Digest realm=\"camera\", qop=\"auth\", nonce=\"" +
                hex(digest(EVP_md5(), std::to_string(std::rand()))) + "\"\r\n";
    } else if (b.junk == Junk::NotXml) {
        reply = "<html><body>It works!</body></html>";
    } else if (b.junk == Junk::Huge) {
        reply.assign(3 * 1024 * 1024, '\xff');
    } else if (b.snapshot) {
        reply = b.snapshot(b.pan, b.tilt, b.zoom);
        ++served;
    } else {
        status = "404 Not Found";
    }
    sendAll(client, "HTTP/1.1 " + status + "\r\nContent-Type: image/jpeg\r\n" + extra +
                        "Content-Length: " + std::to_string(reply.size()) +
                        "\r\nConnection: close\r\n\r\n" + reply);
}

std::string OnvifEmulator::answer(const std::string &op, const std::string &body, Behaviour &b)
{
    const std::string base = "http://127.0.0.1:" + std::to_string(httpPort);
    const auto token = [&](const char *name) { return element(body, name); };
    if (op == "GetSystemDateAndTime") {
        const std::time_t now = std::time(nullptr) + b.skewSeconds;
        std::tm t = {};
        gmtime_r(&now, &t);
        return envelope(
            "<tds:GetSystemDateAndTimeResponse><tds:SystemDateAndTime><tt:DateTimeType>NTP</"
            "tt:DateTimeType><tt:UTCDateTime><tt:Time><tt:Hour>" +
            std::to_string(t.tm_hour) + "</tt:Hour><tt:Minute>" + std::to_string(t.tm_min) +
            "</tt:Minute><tt:Second>" + std::to_string(t.tm_sec) +
            "</tt:Second></tt:Time><tt:Date><tt:Year>" + std::to_string(t.tm_year + 1900) +
            "</tt:Year><tt:Month>" + std::to_string(t.tm_mon + 1) + "</tt:Month><tt:Day>" +
            std::to_string(t.tm_mday) +
            "</tt:Day></tt:Date></tt:UTCDateTime></tds:SystemDateAndTime></"
            "tds:GetSystemDateAndTimeResponse>");
    }
    if (op == "GetServices") {
        if (b.noServices)
            return fault("ter:ActionNotSupported", "no");
        std::string list;
        for (const auto &[ns, path] : std::vector<std::pair<std::string, std::string>>{
                 {"http://www.onvif.org/ver10/device/wsdl", "/onvif/device_service"},
                 {"http://www.onvif.org/ver10/media/wsdl", "/onvif/media"},
                 {"http://www.onvif.org/ver20/ptz/wsdl", "/onvif/ptz"},
                 {"http://www.onvif.org/ver20/imaging/wsdl", "/onvif/imaging"}})
            list += "<tds:Service><tds:Namespace>" + ns + "</tds:Namespace><tds:XAddr>" + base +
                    path + "</tds:XAddr></tds:Service>";
        return envelope("<tds:GetServicesResponse>" + list + "</tds:GetServicesResponse>");
    }
    if (op == "GetCapabilities")
        return envelope("<tds:GetCapabilitiesResponse><tds:Capabilities><tt:Media><tt:XAddr>" +
                        base + "/onvif/media</tt:XAddr></tt:Media><tt:PTZ><tt:XAddr>" + base +
                        "/onvif/ptz</tt:XAddr></tt:PTZ><tt:Imaging><tt:XAddr>" + base +
                        "/onvif/imaging</tt:XAddr></tt:Imaging></tds:Capabilities></"
                        "tds:GetCapabilitiesResponse>");
    if (op == "GetProfiles") {
        const std::string source =
            "<tt:VideoSourceConfiguration token=\"vsc\"><tt:SourceToken>source1</tt:SourceToken>"
            "</tt:VideoSourceConfiguration>";
        return envelope("<trt:GetProfilesResponse><trt:Profiles token=\"sub\"><tt:Name>sub</"
                        "tt:Name>" +
                        source +
                        "</trt:Profiles><trt:Profiles token=\"main\"><tt:Name>main</tt:Name>" +
                        source +
                        (b.noPtzProfile ? ""
                                        : "<tt:PTZConfiguration token=\"ptz0\"><tt:Name>ptz</"
                                          "tt:Name></tt:PTZConfiguration>") +
                        "</trt:Profiles></trt:GetProfilesResponse>");
    }
    if (op == "GetSnapshotUri")
        return b.snapshot
                   ? envelope("<trt:GetSnapshotUriResponse><trt:MediaUri><tt:Uri>" + snapshotUrl() +
                              "</tt:Uri><tt:InvalidAfterConnect>false</"
                              "tt:InvalidAfterConnect></trt:MediaUri></"
                              "trt:GetSnapshotUriResponse>")
                   : fault("ter:ActionNotSupported", "no snapshots");
    if (op == "GetConfigurationOptions") {
        if (b.noOptions)
            return fault("ter:ActionNotSupported", "no");
        const std::string tptz = "http://www.onvif.org/ver10/tptz/";
        return envelope(
            "<tptz:GetConfigurationOptionsResponse><tptz:PTZConfigurationOptions><tt:Spaces>" +
            space("AbsolutePanTiltPositionSpace", tptz + "PanTiltSpaces/PositionGenericSpace", -1,
                  1, -1, 1) +
            (b.degrees ? space("AbsolutePanTiltPositionSpace",
                               tptz + "PanTiltSpaces/SphericalPositionSpaceDegrees", -PanDegrees,
                               PanDegrees, TiltLow, TiltHigh)
                       : "") +
            space("ContinuousPanTiltVelocitySpace", tptz + "PanTiltSpaces/VelocityGenericSpace", -1,
                  1, -1, 1) +
            space("ContinuousZoomVelocitySpace", tptz + "ZoomSpaces/VelocityGenericSpace", -1, 1, 0,
                  0, false) +
            "</tt:Spaces></tptz:PTZConfigurationOptions></tptz:GetConfigurationOptionsResponse>");
    }
    if (op == "GetPresets") {
        std::string list;
        for (const auto &[t, name] : b.presets)
            list +=
                "<tptz:Preset token=\"" + t + "\"><tt:Name>" + name + "</tt:Name></tptz:Preset>";
        return envelope("<tptz:GetPresetsResponse>" + list + "</tptz:GetPresetsResponse>");
    }
    if (op == "GetStatus")
        return envelope("<tptz:GetStatusResponse><tptz:PTZStatus><tt:Position><tt:PanTilt x=\"" +
                        num(b.pan) + "\" y=\"" + num(b.tilt) +
                        "\" space=\"http://www.onvif.org/ver10/tptz/PanTiltSpaces/"
                        "PositionGenericSpace\"/><tt:Zoom x=\"" +
                        num(b.zoom) +
                        "\"/></tt:Position></tptz:PTZStatus></tptz:GetStatusResponse>");
    if (op == "AbsoluteMove") {
        const auto at = std::make_pair(real(attribute(body, "PanTilt", "x")),
                                       real(attribute(body, "PanTilt", "y")));
        if (!at.first || !at.second)
            return fault("ter:InvalidArgVal", "not a position");
        const double x = *at.first, y = *at.second;
        if (attribute(body, "PanTilt", "space").find("Degrees") != std::string::npos) {
            b.pan = x / PanDegrees;
            b.tilt = -1 + 2 * (y - TiltLow) / (TiltHigh - TiltLow);
        } else {
            b.pan = x;
            b.tilt = y;
        }
        return envelope("<tptz:AbsoluteMoveResponse/>");
    }
    if (op == "ContinuousMove" || op == "Stop")
        return envelope("<tptz:" + op + "Response/>");
    if (op == "GotoHomePosition") {
        b.pan = b.tilt = 0;
        return envelope("<tptz:GotoHomePositionResponse/>");
    }
    if (op == "GotoPreset" || op == "RemovePreset") {
        if (!b.presets.count(token("PresetToken")))
            return {};
        if (op == "RemovePreset")
            b.presets.erase(token("PresetToken"));
        return envelope("<tptz:" + op + "Response/>");
    }
    if (op == "SetPreset") {
        std::string t = token("PresetToken");
        if (t.empty()) {
            const std::string name = token("PresetName");
            char made[16];
            std::snprintf(made, sizeof made, b.namedPresets ? "Preset%03d" : "%d",
                          int(b.presets.size()) + 10);
            t = made;
            b.presets[t] = name;
        } else if (!b.presets.count(t)) {
            return {};
        }
        return envelope("<tptz:SetPresetResponse><tptz:PresetToken>" + t +
                        "</tptz:PresetToken></tptz:SetPresetResponse>");
    }
    if (op == "GetOptions")
        return envelope("<timg:GetOptionsResponse><timg:ImagingOptions>" +
                        range("Brightness", 0, 100) + range("ColorSaturation", 0, 100) +
                        range("Contrast", 0, 100) + range("Sharpness", 0, 100) +
                        "</timg:ImagingOptions></timg:GetOptionsResponse>");
    if (op == "GetImagingSettings")
        return envelope("<timg:GetImagingSettingsResponse><timg:ImagingSettings><tt:Brightness>" +
                        std::to_string(b.brightness) + "</tt:Brightness><tt:ColorSaturation>" +
                        std::to_string(b.saturation) + "</tt:ColorSaturation><tt:Contrast>" +
                        std::to_string(b.contrast) + "</tt:Contrast><tt:Sharpness>" +
                        std::to_string(b.sharpness) + "</tt:Sharpness><tt:WhiteBalance><tt:Mode>" +
                        (b.whiteBalanceAuto ? "AUTO" : "MANUAL") +
                        "</tt:Mode></tt:WhiteBalance></timg:ImagingSettings></"
                        "timg:GetImagingSettingsResponse>");
    if (op == "SetImagingSettings") {
        for (const auto &[name, value] :
             std::vector<std::pair<const char *, int *>>{{"Brightness", &b.brightness},
                                                         {"Contrast", &b.contrast},
                                                         {"ColorSaturation", &b.saturation},
                                                         {"Sharpness", &b.sharpness}})
            if (!element(body, name).empty()) {
                const auto v = real(element(body, name));
                if (!v)
                    return fault("ter:InvalidArgVal", "not a number");
                *value = int(std::lround(*v));
            }
        if (!element(body, "Mode").empty())
            b.whiteBalanceAuto = element(body, "Mode") == "AUTO";
        return envelope("<timg:SetImagingSettingsResponse/>");
    }
    return fault("ter:ActionNotSupported", "unknown operation");
}

void OnvifEmulator::probe()
{
    char packet[8192];
    sockaddr_in from = {};
    socklen_t size = sizeof from;
    const ssize_t n =
        ::recvfrom(udpFd, packet, sizeof packet, 0, reinterpret_cast<sockaddr *>(&from), &size);
    if (n <= 0)
        return;
    const std::string probe(packet, size_t(n));
    if (probe.find("Probe") == std::string::npos)
        return;
    const std::string id = element(probe, "MessageID");
    const std::string reply =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><s:Envelope "
        "xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\" "
        "xmlns:a=\"http://schemas.xmlsoap.org/ws/2004/08/addressing\" "
        "xmlns:d=\"http://schemas.xmlsoap.org/ws/2005/04/discovery\" "
        "xmlns:dn=\"http://www.onvif.org/ver10/network/wsdl\" "
        "xmlns:tds=\"http://www.onvif.org/ver10/device/wsdl\"><s:Header><a:RelatesTo>" +
        id +
        "</a:RelatesTo><a:Action>http://schemas.xmlsoap.org/ws/2005/04/discovery/ProbeMatches</"
        "a:Action></s:Header><s:Body><d:ProbeMatches><d:ProbeMatch><a:EndpointReference><a:"
        "Address>urn:uuid:1</a:Address></a:EndpointReference><d:Types>dn:NetworkVideoTransmitter "
        "tds:Device</d:Types><d:Scopes>onvif://www.onvif.org/type/video_encoder "
        "onvif://www.onvif.org/type/ptz onvif://www.onvif.org/name/Loopback%20Dome "
        "onvif://www.onvif.org/hardware/EMU</d:Scopes><d:XAddrs>http://127.0.0.1:" +
        std::to_string(httpPort) +
        "/onvif/device_service</d:XAddrs><d:MetadataVersion>1</d:MetadataVersion></"
        "d:ProbeMatch></d:ProbeMatches></s:Body></s:Envelope>";
    ::sendto(udpFd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr *>(&from), size);
}
