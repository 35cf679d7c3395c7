// SPDX-License-Identifier: GPL-2.0-or-later
// One request the VISCA worker sends: a command or an inquiry, with what its answer fills and
// what its refusal greys.
#pragma once

#include "ViscaProtocol.h"

#include <chrono>
#include <cstdint>
#include <string>

struct ViscaRequest
{
    Visca::Bytes message;
    bool inquiry = false;
    // What an inquiry's answer fills: a record, or the position.
    enum Answer
    {
        Nothing,
        Record,
        PanTilt,
        ZoomPosition,
        WhiteBalanceMode
    } answer = Nothing;
    int record = -1;                       // the record an image command or inquiry is about
    int value = 0;                         // the value an image command sets
    int digits = 0;                        // nibbles of a record's value
    int panSpeed = 0x18, tiltSpeed = 0x14; // an absolute move's
    uint32_t needs = 0;                    // the capability lost when the camera cannot do it
    bool untilAck = false;
    int key = 0;        // requests of the same key replace each other while waiting
    std::string what;   // for messages
    bool quiet = false; // sent unasked: a refusal only greys its key
    bool endsReading = false;
    bool reads = false; // part of the camera's reading
    // Who asks: the user or the reading, or the worker to know whether the camera is there.
    enum Role
    {
        Asked,
        Heartbeat, // while nothing else goes
        Knock,     // while it does not answer
        Probe      // it did not answer something else
    } role = Asked;
    std::chrono::steady_clock::time_point heldUntil; // a pan waiting for its tilt
};
