// SPDX-License-Identifier: GPL-2.0-or-later
#include "LocalMessage.h"
#include "Command.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {

constexpr quint32 NullString = 0xffffffff;

// Takes fields off the front of a message, never past its end or a bound.
class Reader
{
public:
    Reader(const QByteArray &bytes, int first) : bytes(bytes), at(first) {}

    LocalMessage::Result number(quint32 &value)
    {
        if (bytes.size() - at < 4)
            return LocalMessage::Incomplete;
        value = qFromBigEndian<quint32>(bytes.constData() + at);
        at += 4;
        return LocalMessage::Complete;
    }

    // A QString: its length in bytes (UTF-16), then its characters.
    LocalMessage::Result text(QString &value, int limit)
    {
        const int start = at;
        quint32 length = 0;
        if (number(length) != LocalMessage::Complete)
            return LocalMessage::Incomplete;
        if (length == NullString) {
            value.clear();
            return LocalMessage::Complete;
        }
        if (length % 2 || length > quint32(limit))
            return LocalMessage::Malformed;
        if (bytes.size() - at < int(length)) {
            at = start;
            return LocalMessage::Incomplete;
        }
        value.resize(int(length / 2));
        for (int i = 0; i < value.size(); ++i)
            value[i] = QChar(qFromBigEndian<quint16>(bytes.constData() + at + 2 * i));
        at += int(length);
        return LocalMessage::Complete;
    }

    bool atEnd() const { return at == bytes.size(); }

private:
    const QByteArray &bytes;
    int at;
};

} // namespace

QByteArray LocalMessage::request(const QStringList &arguments)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << Version << arguments;
    return bytes;
}

LocalMessage::Result LocalMessage::readRequest(const QByteArray &bytes, int &version,
                                               QStringList &arguments)
{
    version = bytes.isEmpty() ? -1 : quint8(bytes[0]);
    if (bytes.size() > MaxRequestBytes)
        return Malformed;
    if (version < 0)
        return Incomplete;
    if (version != Version)
        return Complete; // what follows is not ours to read
    Reader in(bytes, 1);
    quint32 count = 0;
    if (in.number(count) != Complete)
        return Incomplete;
    if (count > quint32(MaxArguments))
        return Malformed;
    arguments.clear();
    for (quint32 i = 0; i < count; ++i) {
        QString argument;
        const Result got = in.text(argument, MaxRequestBytes);
        if (got != Complete)
            return got;
        arguments << argument;
    }
    return in.atEnd() ? Complete : Malformed;
}

QByteArray LocalMessage::answer(const Outcome &outcome)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(outcome.exitCode) << outcome.output << outcome.error << qint32(outcome.cause);
    return bytes;
}

LocalMessage::Result LocalMessage::readAnswer(const QByteArray &bytes, Outcome &outcome,
                                              bool closed)
{
    if (bytes.size() > MaxAnswerBytes)
        return Malformed;
    Reader in(bytes, 0);
    quint32 exitCode = 0;
    QString output, error;
    Result got = in.number(exitCode);
    if (got == Complete)
        got = in.text(output, MaxAnswerBytes);
    if (got == Complete)
        got = in.text(error, MaxAnswerBytes);
    if (got != Complete)
        return got;
    // A panel started before an update answers without the cause: take it from the status.
    Outcome::Cause cause = exitCode == 2 ? Outcome::Usage
                           : exitCode    ? Outcome::Unavailable
                                         : Outcome::Done;
    if (in.atEnd() && !closed)
        return Incomplete; // the cause may be on its way
    if (!in.atEnd()) {
        quint32 told = 0;
        got = in.number(told);
        if (got != Complete)
            return got;
        if (told > quint32(Outcome::Unavailable))
            return Malformed;
        cause = Outcome::Cause(told);
    }
    if (!in.atEnd() || exitCode > 255)
        return Malformed;
    outcome = {int(exitCode), output, error, cause};
    return Complete;
}
