// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/pagejson.h"

#include "core/jsonnumber.h"
#include "platform/qtconvert.h"
#include "pool/protocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace nuperako::classroom {

namespace {

using namespace protocol;

QLatin1String name(std::string_view n)
{
    return {n.data(), static_cast<qsizetype>(n.size())};
}

std::optional<std::int64_t> integer(const QJsonValue &v)
{
    return v.isDouble() ? exactJsonInteger(v.toDouble()) : std::nullopt;
}

pool::PageMessage readState(const QJsonObject &message)
{
    pool::StateMessage state;
    const std::optional<std::int64_t> experiment = integer(message.value(name(field::kExperiment)));
    const std::optional<std::int64_t> seq = integer(message.value(name(field::kSeq)));
    const QJsonArray counts = message.value(name(field::kCounts)).toArray();
    const QJsonValue ended = message.value(name(field::kEnded));
    if (!experiment || !seq || counts.size() != static_cast<qsizetype>(kCountCount) || !ended.isBool())
        return pool::MessageFault::MalformedState;
    for (std::size_t i = 0; i < kCountCount; ++i) {
        const std::optional<std::int64_t> n = integer(counts.at(static_cast<qsizetype>(i)));
        if (!n)
            return pool::MessageFault::MalformedState;
        state.counts[i] = *n;
    }
    state.experiment = *experiment;
    state.seq = *seq;
    state.ended = ended.toBool();
    return state;
}

std::string stringField(const QJsonObject &message, std::string_view field)
{
    return message.value(name(field)).toString().toStdString();
}

QJsonObject objectOf(const pool::JoinedReply &r)
{
    return {{name(field::kType), name(kJoined)},
            {name(field::kClass), toQString(r.classCode)},
            {name(field::kSeat), toQString(r.seat)}};
}
QJsonObject objectOf(const pool::AckReply &r)
{
    return {{name(field::kType), name(kAck)},
            {name(field::kExperiment), static_cast<qint64>(r.experiment)},
            {name(field::kSeq), static_cast<qint64>(r.seq)}};
}
QJsonObject objectOf(const pool::LaterReply &r)
{
    return {{name(field::kType), name(kLater)}, {name(field::kExperiment), static_cast<qint64>(r.experiment)}};
}
QJsonObject objectOf(const pool::RemovedReply &r)
{
    return {{name(field::kType), name(kRemoved)}, {name(field::kExperiment), static_cast<qint64>(r.experiment)}};
}
QJsonObject objectOf(const pool::SeatReply &r)
{
    return {{name(field::kType), name(kSeat)}, {name(field::kSeat), toQString(r.seat)}};
}

} // namespace

pool::PageMessage readPageMessage(const QByteArray &text)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return pool::MessageFault::MalformedJson;
    const QJsonObject message = document.object();
    const QString type = message.value(name(field::kType)).toString();
    if (type == name(kJoin))
        return pool::JoinMessage{stringField(message, field::kClass), stringField(message, field::kDevice)};
    if (type == name(kState))
        return readState(message);
    if (type == name(kSeat))
        return pool::SeatMessage{stringField(message, field::kName)};
    return pool::MessageFault::UnknownType;
}

QByteArray serverMessageJson(const pool::ServerMessage &message)
{
    const QJsonObject object = std::visit([](const auto &m) { return objectOf(m); }, message);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace nuperako::classroom
