// SPDX-License-Identifier: GPL-2.0-or-later
// The messages between a start of `ptz-panel` and the user's running panel, over the local
// socket (in QDataStream's layout): a request is a version byte and the start's arguments; an
// answer is the exit status, the output, the error line and its cause (which a panel of an
// earlier version leaves out). Read as if from a stranger:
// every count and size is checked against its bound before anything is taken, so a malformed
// message costs its own connection and nothing else.
#pragma once

#include <QByteArray>
#include <QStringList>

struct Outcome;

class LocalMessage
{
public:
    enum Result
    {
        Incomplete, // more is to come
        Complete,   // all of one message, and nothing after it
        Malformed,
    };

    static constexpr quint8 Version = 1;
    static constexpr int MaxRequestBytes = 64 * 1024;
    static constexpr int MaxArguments = 256;
    static constexpr int MaxAnswerBytes = 4 * 1024 * 1024;

    static QByteArray request(const QStringList &arguments);
    // `version` is known (-1 before) as soon as its byte is; the rest only when it is ours.
    static Result readRequest(const QByteArray &bytes, int &version, QStringList &arguments);

    static QByteArray answer(const Outcome &outcome);
    // `closed`: the panel has closed the connection, so nothing more is coming.
    static Result readAnswer(const QByteArray &bytes, Outcome &outcome, bool closed = false);
};
