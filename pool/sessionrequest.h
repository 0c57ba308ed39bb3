// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/messages.h"
#include "pool/protocol.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace nuperako::pool {

// A page's connection, numbered by the server.
using ConnectionId = std::uint64_t;

// What the class's rules ask the server to do with a page's connection, in this order.
struct Send { // the answer goes once the store has written what it answers
    ConnectionId to = 0;
    ServerMessage message;
    friend bool operator==(const Send &, const Send &) = default;
};
struct Close {
    ConnectionId connection = 0;
    protocol::Refusal why;
    friend bool operator==(const Close &, const Close &) = default;
};
struct Ping {
    ConnectionId connection = 0;
    friend bool operator==(const Ping &, const Ping &) = default;
};
struct Abort { // gone silent: dropped without a word
    ConnectionId connection = 0;
    friend bool operator==(const Abort &, const Abort &) = default;
};
struct Admit { // joined its class: no longer a connection waiting to show what it is for
    ConnectionId connection = 0;
    friend bool operator==(const Admit &, const Admit &) = default;
};
struct Create { // a new class for the teacher on connection to, with a new key; closing the class named, if any
    ConnectionId to = 0;
    std::string closing;
    friend bool operator==(const Create &, const Create &) = default;
};
struct Load { // the class kept in the store, for a teacher who follows it: ClassHub::loaded() when done
    std::string classCode;
    friend bool operator==(const Load &, const Load &) = default;
};
struct Publish { // the class's view as it stands, to its teachers' pages
    std::string classCode;
    std::vector<ConnectionId> to;
    friend bool operator==(const Publish &, const Publish &) = default;
};
struct ShowOverview { // what the class's students see of it, to its watching students' pages
    std::string classCode;
    std::vector<ConnectionId> to;
    friend bool operator==(const ShowOverview &, const ShowOverview &) = default;
};
using SessionRequest = std::variant<Send, Close, Ping, Abort, Admit, Create, Load, Publish, ShowOverview>;

} // namespace nuperako::pool
