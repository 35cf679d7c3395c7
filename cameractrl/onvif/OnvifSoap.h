// SPDX-License-Identifier: GPL-2.0-or-later
// The ONVIF messages the backend sends, as SOAP 1.2 envelopes, and what it reads from the
// answers. Pure functions of their arguments: the worker brings the time, the nonce and
// the digest.
#pragma once

#include "OnvifWire.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace Onvif {

constexpr const char *DeviceNs = "http://www.onvif.org/ver10/device/wsdl";
constexpr const char *MediaNs = "http://www.onvif.org/ver10/media/wsdl";
constexpr const char *PtzNs = "http://www.onvif.org/ver20/ptz/wsdl";
constexpr const char *ImagingNs = "http://www.onvif.org/ver20/imaging/wsdl";
constexpr const char *DegreesSpace =
    "http://www.onvif.org/ver10/tptz/PanTiltSpaces/SphericalPositionSpaceDegrees";
constexpr const char *GenericSpace =
    "http://www.onvif.org/ver10/tptz/PanTiltSpaces/PositionGenericSpace";

struct Range
{
    double min = -1, max = 1;
};

// WS-Security UsernameToken with a password digest.
struct Credentials
{
    std::string user;
    std::string nonce;   // raw bytes
    std::string created; // the camera's time, "YYYY-MM-DDThh:mm:ssZ"
    std::string digest;  // base64 of SHA-1(nonce + created + password)
};

// The envelope with `body` (and a UsernameToken when there is a user).
std::string envelope(const std::string &body, const Credentials *credentials,
                     const std::string &nonceBase64);
std::string utcText(std::time_t when);

// ---- Requests: the body, and the action they name ----
struct Message
{
    std::string action, body;
};
Message getSystemDateAndTime();
Message getServices();
Message getCapabilities();
Message getProfiles();
Message getSnapshotUri(const std::string &profile);
Message getConfigurationOptions(const std::string &configuration);
Message getPresets(const std::string &profile);
Message getStatus(const std::string &profile);
Message continuousMove(const std::string &profile, std::optional<std::pair<double, double>> panTilt,
                       std::optional<double> zoom);
Message stop(const std::string &profile, bool panTilt, bool zoom);
Message absoluteMove(const std::string &profile, double pan, double tilt, const char *space);
Message gotoPreset(const std::string &profile, const std::string &token);
// An empty token stores a new preset named `name`; otherwise that one is overwritten.
Message setPreset(const std::string &profile, const std::string &token, const std::string &name);
Message removePreset(const std::string &profile, const std::string &token);
Message gotoHomePosition(const std::string &profile);
Message getImagingSettings(const std::string &source);
Message getImagingOptions(const std::string &source);
// `values`: element name (Brightness, ColorSaturation, Contrast, Sharpness) and value, or
// WhiteBalance with 1 (AUTO) or 0 (MANUAL).
Message setImagingSettings(const std::string &source,
                           const std::vector<std::pair<std::string, double>> &values);

// ---- Answers ----
// The Body's first child, or nullptr.
const XmlElement *body(const XmlElement &envelope);
// A SOAP fault's subcode and reason ("ter:ActionNotSupported: ..."), when the answer is one.
std::optional<std::string> fault(const XmlElement &envelope);
// A fault that says the credentials were refused.
bool notAuthorized(const std::string &fault);
std::optional<std::time_t> systemTime(const XmlElement &envelope);

struct Services
{
    std::string media, ptz, imaging;
};
// From GetServices or GetCapabilities, whichever answered.
Services services(const XmlElement &envelope);

struct Profile
{
    std::string token, videoSource, ptzConfiguration;
};
// The first profile with a PTZ configuration, else the first of all.
std::optional<Profile> firstProfile(const XmlElement &envelope);

struct Spaces
{
    Range panGeneric, tiltGeneric;
    std::optional<std::pair<Range, Range>> degrees; // pan, tilt
    Range panVelocity{-1, 1}, tiltVelocity{-1, 1}, zoomVelocity{-1, 1};
    bool absolute = true, continuous = true, zoom = true;
};
Spaces spaces(const XmlElement &envelope);

struct Preset
{
    std::string token, name;
};
std::vector<Preset> presets(const XmlElement &envelope);
std::string presetToken(const XmlElement &envelope);
// Where GetSnapshotUri says the profile's picture is; "" when it says nothing.
std::string snapshotUri(const XmlElement &envelope);

struct Position
{
    double pan = 0, tilt = 0;
    std::string space;
};
std::optional<Position> status(const XmlElement &envelope);

struct Imaging
{
    // Brightness, ColorSaturation, Contrast, Sharpness: value and range where given.
    struct Value
    {
        std::optional<double> value;
        std::optional<Range> range;
    };
    Value brightness, saturation, contrast, sharpness;
    std::optional<bool> whiteBalanceAuto;
};
void imagingSettings(const XmlElement &envelope, Imaging &into);
void imagingOptions(const XmlElement &envelope, Imaging &into);

} // namespace Onvif
