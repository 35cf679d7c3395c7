// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifSoap.h"
#include "Numbers.h"

namespace Onvif {

namespace {

std::string escaped(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

Message message(const char *ns, const char *prefix, const std::string &operation,
                const std::string &inner)
{
    return {std::string(ns) + "/" + operation, "<" + std::string(prefix) + ":" + operation + ">" +
                                                   inner + "</" + prefix + ":" + operation + ">"};
}

std::string profileToken(const std::string &profile)
{
    return "<tptz:ProfileToken>" + escaped(profile) + "</tptz:ProfileToken>";
}

std::optional<Range> rangeOf(const XmlElement *element)
{
    if (!element)
        return std::nullopt;
    const auto min = Numbers::real(element->textAt({"Min"})),
               max = Numbers::real(element->textAt({"Max"}));
    if (!min || !max || *max <= *min)
        return std::nullopt;
    return Range{*min, *max};
}

} // namespace

std::string utcText(std::time_t when)
{
    std::tm parts = {};
    gmtime_r(&when, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::string envelope(const std::string &inner, const Credentials *credentials,
                     const std::string &nonceBase64)
{
    std::string header;
    if (credentials)
        header =
            "<s:Header><wsse:Security s:mustUnderstand=\"1\" "
            "xmlns:wsse=\"http://docs.oasis-open.org/wss/2004/01/"
            "oasis-200401-wss-wssecurity-secext-1.0.xsd\" "
            "xmlns:wsu=\"http://docs.oasis-open.org/wss/2004/01/"
            "oasis-200401-wss-wssecurity-utility-1.0.xsd\"><wsse:UsernameToken><wsse:Username>" +
            escaped(credentials->user) +
            "</wsse:Username><wsse:Password "
            "Type=\"http://docs.oasis-open.org/wss/2004/01/"
            "oasis-200401-wss-username-token-profile-1.0#PasswordDigest\">" +
            credentials->digest +
            "</wsse:Password><wsse:Nonce "
            "EncodingType=\"http://docs.oasis-open.org/wss/2004/01/"
            "oasis-200401-wss-soap-message-security-1.0#Base64Binary\">" +
            nonceBase64 + "</wsse:Nonce><wsu:Created>" + credentials->created +
            "</wsu:Created></wsse:UsernameToken></wsse:Security></s:Header>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\" "
           "xmlns:tds=\"" +
           std::string(DeviceNs) + "\" xmlns:trt=\"" + MediaNs + "\" xmlns:tptz=\"" + PtzNs +
           "\" xmlns:timg=\"" + ImagingNs + "\" xmlns:tt=\"http://www.onvif.org/ver10/schema\">" +
           header + "<s:Body>" + inner + "</s:Body></s:Envelope>";
}

// ---- Requests -------------------------------------------------------------------------------

Message getSystemDateAndTime()
{
    return message(DeviceNs, "tds", "GetSystemDateAndTime", "");
}
Message getServices()
{
    return message(DeviceNs, "tds", "GetServices",
                   "<tds:IncludeCapability>false</tds:IncludeCapability>");
}
Message getCapabilities()
{
    return message(DeviceNs, "tds", "GetCapabilities", "<tds:Category>All</tds:Category>");
}
Message getProfiles()
{
    return message(MediaNs, "trt", "GetProfiles", "");
}
Message getSnapshotUri(const std::string &profile)
{
    return message(MediaNs, "trt", "GetSnapshotUri",
                   "<trt:ProfileToken>" + escaped(profile) + "</trt:ProfileToken>");
}
Message getConfigurationOptions(const std::string &configuration)
{
    return message(PtzNs, "tptz", "GetConfigurationOptions",
                   "<tptz:ConfigurationToken>" + escaped(configuration) +
                       "</tptz:ConfigurationToken>");
}
Message getPresets(const std::string &profile)
{
    return message(PtzNs, "tptz", "GetPresets", profileToken(profile));
}
Message getStatus(const std::string &profile)
{
    return message(PtzNs, "tptz", "GetStatus", profileToken(profile));
}
Message continuousMove(const std::string &profile, std::optional<std::pair<double, double>> panTilt,
                       std::optional<double> zoom)
{
    std::string velocity;
    if (panTilt)
        velocity += "<tt:PanTilt x=\"" + Numbers::text(panTilt->first) + "\" y=\"" +
                    Numbers::text(panTilt->second) + "\"/>";
    if (zoom)
        velocity += "<tt:Zoom x=\"" + Numbers::text(*zoom) + "\"/>";
    return message(PtzNs, "tptz", "ContinuousMove",
                   profileToken(profile) + "<tptz:Velocity>" + velocity + "</tptz:Velocity>");
}
Message stop(const std::string &profile, bool panTilt, bool zoom)
{
    return message(PtzNs, "tptz", "Stop",
                   profileToken(profile) + "<tptz:PanTilt>" + (panTilt ? "true" : "false") +
                       "</tptz:PanTilt><tptz:Zoom>" + (zoom ? "true" : "false") + "</tptz:Zoom>");
}
Message absoluteMove(const std::string &profile, double pan, double tilt, const char *space)
{
    return message(PtzNs, "tptz", "AbsoluteMove",
                   profileToken(profile) + "<tptz:Position><tt:PanTilt x=\"" + Numbers::text(pan) +
                       "\" y=\"" + Numbers::text(tilt) + "\" space=\"" + space +
                       "\"/></tptz:Position>");
}
Message gotoPreset(const std::string &profile, const std::string &token)
{
    return message(PtzNs, "tptz", "GotoPreset",
                   profileToken(profile) + "<tptz:PresetToken>" + escaped(token) +
                       "</tptz:PresetToken>");
}
Message setPreset(const std::string &profile, const std::string &token, const std::string &name)
{
    return message(PtzNs, "tptz", "SetPreset",
                   profileToken(profile) +
                       (token.empty()
                            ? "<tptz:PresetName>" + escaped(name) + "</tptz:PresetName>"
                            : "<tptz:PresetToken>" + escaped(token) + "</tptz:PresetToken>"));
}
Message removePreset(const std::string &profile, const std::string &token)
{
    return message(PtzNs, "tptz", "RemovePreset",
                   profileToken(profile) + "<tptz:PresetToken>" + escaped(token) +
                       "</tptz:PresetToken>");
}
Message gotoHomePosition(const std::string &profile)
{
    return message(PtzNs, "tptz", "GotoHomePosition", profileToken(profile));
}
Message getImagingSettings(const std::string &source)
{
    return message(ImagingNs, "timg", "GetImagingSettings",
                   "<timg:VideoSourceToken>" + escaped(source) + "</timg:VideoSourceToken>");
}
Message getImagingOptions(const std::string &source)
{
    return message(ImagingNs, "timg", "GetOptions",
                   "<timg:VideoSourceToken>" + escaped(source) + "</timg:VideoSourceToken>");
}
Message setImagingSettings(const std::string &source,
                           const std::vector<std::pair<std::string, double>> &values)
{
    std::string settings;
    for (const auto &[name, value] : values)
        settings += name == "WhiteBalance"
                        ? "<tt:WhiteBalance><tt:Mode>" + std::string(value ? "AUTO" : "MANUAL") +
                              "</tt:Mode></tt:WhiteBalance>"
                        : "<tt:" + name + ">" + Numbers::text(value) + "</tt:" + name + ">";
    return message(ImagingNs, "timg", "SetImagingSettings",
                   "<timg:VideoSourceToken>" + escaped(source) +
                       "</timg:VideoSourceToken><timg:ImagingSettings>" + settings +
                       "</timg:ImagingSettings><timg:ForcePersistence>true</"
                       "timg:ForcePersistence>");
}

// ---- Answers --------------------------------------------------------------------------------

const XmlElement *body(const XmlElement &envelope)
{
    if (envelope.name != "Envelope")
        return nullptr;
    const XmlElement *b = envelope.child("Body");
    return b && !b->children.empty() ? &b->children.front() : nullptr;
}

std::optional<std::string> fault(const XmlElement &envelope)
{
    const XmlElement *b = body(envelope);
    if (!b || b->name != "Fault")
        return std::nullopt;
    // The innermost subcode says most.
    std::string code;
    for (const XmlElement *c = b->child("Code"); c; c = c->child("Subcode"))
        if (!c->textAt({"Value"}).empty())
            code = c->textAt({"Value"});
    const XmlElement *text = b->find("Text");
    std::string reason = text ? text->text : b->textAt({"faultstring"});
    if (reason.size() > 200)
        reason.resize(200);
    return code.empty() ? reason : reason.empty() ? code : code + ": " + reason;
}

bool notAuthorized(const std::string &fault)
{
    return fault.find("NotAuthorized") != std::string::npos ||
           fault.find("FailedAuthentication") != std::string::npos;
}

std::optional<std::time_t> systemTime(const XmlElement &envelope)
{
    const XmlElement *b = body(envelope);
    const XmlElement *utc = b ? b->find("UTCDateTime") : nullptr;
    if (!utc)
        return std::nullopt;
    const auto part = [&](const char *group, const char *name) {
        const auto value = Numbers::real(utc->textAt({group, name}));
        return value ? int(*value) : -1;
    };
    std::tm parts = {};
    parts.tm_year = part("Date", "Year") - 1900;
    parts.tm_mon = part("Date", "Month") - 1;
    parts.tm_mday = part("Date", "Day");
    parts.tm_hour = part("Time", "Hour");
    parts.tm_min = part("Time", "Minute");
    parts.tm_sec = part("Time", "Second");
    if (parts.tm_year < 70 || parts.tm_mon < 0 || parts.tm_mday < 1 || parts.tm_hour < 0 ||
        parts.tm_min < 0 || parts.tm_sec < 0)
        return std::nullopt;
    return timegm(&parts);
}

Services services(const XmlElement &envelope)
{
    Services found;
    const XmlElement *b = body(envelope);
    if (!b)
        return found;
    std::vector<const XmlElement *> list;
    b->findAll("Service", list);
    for (const XmlElement *service : list) {
        const std::string ns = service->textAt({"Namespace"}), at = service->textAt({"XAddr"});
        if (ns == MediaNs)
            found.media = at;
        else if (ns == PtzNs)
            found.ptz = at;
        else if (ns == ImagingNs)
            found.imaging = at;
    }
    // GetCapabilities names them by category instead.
    if (const XmlElement *caps = b->find("Capabilities")) {
        const auto address = [&](const char *category) {
            const XmlElement *c = caps->find(category);
            return c ? c->textAt({"XAddr"}) : std::string();
        };
        if (found.media.empty())
            found.media = address("Media");
        if (found.ptz.empty())
            found.ptz = address("PTZ");
        if (found.imaging.empty())
            found.imaging = address("Imaging");
    }
    return found;
}

std::optional<Profile> firstProfile(const XmlElement &envelope)
{
    const XmlElement *b = body(envelope);
    if (!b)
        return std::nullopt;
    std::vector<const XmlElement *> list;
    b->findAll("Profiles", list);
    std::optional<Profile> first;
    for (const XmlElement *p : list) {
        Profile profile;
        profile.token = p->attribute("token");
        if (profile.token.empty())
            continue;
        if (const XmlElement *source = p->child("VideoSourceConfiguration"))
            profile.videoSource = source->textAt({"SourceToken"});
        if (const XmlElement *ptz = p->child("PTZConfiguration"))
            profile.ptzConfiguration = ptz->attribute("token");
        if (!profile.ptzConfiguration.empty())
            return profile;
        if (!first)
            first = profile;
    }
    return first;
}

Spaces spaces(const XmlElement &envelope)
{
    Spaces found;
    const XmlElement *b = body(envelope);
    const XmlElement *s = b ? b->find("Spaces") : nullptr;
    if (!s)
        return found;
    const auto each = [&](const char *name, auto &&take) {
        std::vector<const XmlElement *> list;
        s->findAll(name, list);
        for (const XmlElement *space : list)
            take(space->textAt({"URI"}), rangeOf(space->child("XRange")),
                 rangeOf(space->child("YRange")));
        return !list.empty();
    };
    found.absolute =
        each("AbsolutePanTiltPositionSpace", [&](const std::string &uri, auto x, auto y) {
            if (uri == DegreesSpace && x && y)
                found.degrees = std::make_pair(*x, *y);
            else if (uri == GenericSpace && x && y) {
                found.panGeneric = *x;
                found.tiltGeneric = *y;
            }
        });
    found.continuous =
        each("ContinuousPanTiltVelocitySpace", [&](const std::string &uri, auto x, auto y) {
            if (uri.find("VelocityGenericSpace") != std::string::npos && x && y) {
                found.panVelocity = *x;
                found.tiltVelocity = *y;
            }
        });
    found.zoom = each("ContinuousZoomVelocitySpace", [&](const std::string &uri, auto x, auto) {
        if (uri.find("VelocityGenericSpace") != std::string::npos && x)
            found.zoomVelocity = *x;
    });
    return found;
}

std::vector<Preset> presets(const XmlElement &envelope)
{
    std::vector<Preset> found;
    const XmlElement *b = body(envelope);
    if (!b)
        return found;
    std::vector<const XmlElement *> list;
    b->findAll("Preset", list);
    for (const XmlElement *p : list)
        if (!p->attribute("token").empty())
            found.push_back({p->attribute("token"), p->textAt({"Name"})});
    return found;
}

std::string presetToken(const XmlElement &envelope)
{
    const XmlElement *b = body(envelope);
    const XmlElement *token = b ? b->find("PresetToken") : nullptr;
    return token ? token->text : std::string();
}

std::string snapshotUri(const XmlElement &envelope)
{
    const XmlElement *b = body(envelope);
    const XmlElement *media = b ? b->find("MediaUri") : nullptr;
    const XmlElement *uri = media ? media->child("Uri") : nullptr;
    return uri ? uri->text : std::string();
}

std::optional<Position> status(const XmlElement &envelope)
{
    const XmlElement *b = body(envelope);
    const XmlElement *position = b ? b->find("Position") : nullptr;
    const XmlElement *panTilt = position ? position->child("PanTilt") : nullptr;
    if (!panTilt)
        return std::nullopt;
    const auto x = Numbers::real(panTilt->attribute("x")),
               y = Numbers::real(panTilt->attribute("y"));
    if (!x || !y)
        return std::nullopt;
    return Position{*x, *y, panTilt->attribute("space")};
}

void imagingSettings(const XmlElement &envelope, Imaging &into)
{
    const XmlElement *b = body(envelope);
    const XmlElement *s = b ? b->find("ImagingSettings") : nullptr;
    if (!s)
        return;
    into.brightness.value = Numbers::real(s->textAt({"Brightness"}));
    into.saturation.value = Numbers::real(s->textAt({"ColorSaturation"}));
    into.contrast.value = Numbers::real(s->textAt({"Contrast"}));
    into.sharpness.value = Numbers::real(s->textAt({"Sharpness"}));
    const std::string mode = s->textAt({"WhiteBalance", "Mode"});
    if (!mode.empty())
        into.whiteBalanceAuto = mode == "AUTO";
}

void imagingOptions(const XmlElement &envelope, Imaging &into)
{
    const XmlElement *b = body(envelope);
    const XmlElement *o = b ? b->find("ImagingOptions") : nullptr;
    if (!o)
        return;
    into.brightness.range = rangeOf(o->child("Brightness"));
    into.saturation.range = rangeOf(o->child("ColorSaturation"));
    into.contrast.range = rangeOf(o->child("Contrast"));
    into.sharpness.range = rangeOf(o->child("Sharpness"));
}

} // namespace Onvif
