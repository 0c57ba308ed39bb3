// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/pagemessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace nuperako::classroom {

namespace {

// A JSON number that is an integer, exactly.
std::optional<std::int64_t> integer(const QJsonValue &v)
{
    constexpr double kExact = 9007199254740992.0; // 2^53
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (std::trunc(d) != d || std::abs(d) > kExact)
        return std::nullopt;
    return static_cast<std::int64_t>(d);
}

PageMessage readState(const QJsonObject &message)
{
    pool::StateMessage state;
    const std::optional<std::int64_t> experiment = integer(message.value(QLatin1String("experiment")));
    const std::optional<std::int64_t> seq = integer(message.value(QLatin1String("seq")));
    const QJsonArray counts = message.value(QLatin1String("counts")).toArray();
    const QJsonValue ended = message.value(QLatin1String("ended"));
    if (!experiment || !seq || counts.size() != static_cast<qsizetype>(kCountCount) || !ended.isBool())
        return MessageFault::MalformedState;
    for (std::size_t i = 0; i < kCountCount; ++i) {
        const std::optional<std::int64_t> n = integer(counts.at(static_cast<qsizetype>(i)));
        if (!n)
            return MessageFault::MalformedState;
        state.counts[i] = *n;
    }
    state.experiment = *experiment;
    state.seq = *seq;
    state.ended = ended.toBool();
    return state;
}

std::string stringField(const QJsonObject &message, QLatin1String field)
{
    return message.value(field).toString().toStdString();
}

} // namespace

PageMessage readPageMessage(const QByteArray &text)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return MessageFault::MalformedJson;
    const QJsonObject message = document.object();
    const QString type = message.value(QLatin1String("type")).toString();
    if (type == QLatin1String("join"))
        return JoinMessage{stringField(message, QLatin1String("class")), stringField(message, QLatin1String("device"))};
    if (type == QLatin1String("state"))
        return readState(message);
    if (type == QLatin1String("seat"))
        return SeatMessage{stringField(message, QLatin1String("name"))};
    return MessageFault::UnknownType;
}

} // namespace nuperako::classroom
