// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/statemessage.h"

#include <QByteArray>

#include <string>
#include <variant>

namespace nuperako::classroom {

// A page's message taken apart into its type and fields, nothing of it believed
// yet: the class's rules judge the code, the device, the numbers and the name.
struct JoinMessage {
    std::string classCode;
    std::string device;
};
struct SeatMessage {
    std::string name;
};
enum class MessageFault {
    MalformedJson,  // not a JSON object
    MalformedState, // a state whose numbers are not integers of JSON, or whose fields are missing
    UnknownType,
};
using PageMessage = std::variant<MessageFault, JoinMessage, pool::StateMessage, SeatMessage>;

// Reads a text frame's UTF-8.
PageMessage readPageMessage(const QByteArray &text);

} // namespace nuperako::classroom
