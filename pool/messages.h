// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/statemessage.h"

#include <cstdint>
#include <string>
#include <variant>

namespace nuperako::pool {

// A page's message taken apart (protocol.h), nothing of it believed yet: the
// class's rules judge the code, the device, the numbers and the name.
struct JoinMessage {
    std::string classCode;
    std::string device;
    friend bool operator==(const JoinMessage &, const JoinMessage &) = default;
};
struct WatchMessage { // whether the student's page shows the class's window
    bool watching = false;
    friend bool operator==(const WatchMessage &, const WatchMessage &) = default;
};
struct SeatMessage {
    std::string name;
    friend bool operator==(const SeatMessage &, const SeatMessage &) = default;
};
// A teacher's page. Secrets never come further than the JSON's reader: it
// keeps their hashes (SHA-256, as bytes), never the secrets themselves.
struct OpenMessage { // a new class; the teachers' password if the server has one
    std::string passwordHash;
    friend bool operator==(const OpenMessage &, const OpenMessage &) = default;
};
struct FollowMessage { // the class's view, for its teacher
    std::string classCode;
    std::string keyHash;
    friend bool operator==(const FollowMessage &, const FollowMessage &) = default;
};
struct RemoveMessage { // the followed class's experiment, out of its pool
    int student = 0;
    std::int64_t experiment = 0;
    friend bool operator==(const RemoveMessage &, const RemoveMessage &) = default;
};
struct RevealMessage { // whether the followed class's students see it
    bool revealed = false;
    friend bool operator==(const RevealMessage &, const RevealMessage &) = default;
};
struct NewClassMessage { // the followed class closes, a new one opens in its place
    friend bool operator==(const NewClassMessage &, const NewClassMessage &) = default;
};
enum class MessageFault {
    MalformedJson,  // not a JSON object
    MalformedState, // a state, a removal, a watch or a reveal whose fields are missing, or whose numbers are
                    // not integers JSON holds exactly
    UnknownType,
};
using PageMessage = std::variant<MessageFault, JoinMessage, StateMessage, SeatMessage, WatchMessage, OpenMessage,
                                 FollowMessage, RemoveMessage, RevealMessage, NewClassMessage>;

// What the server answers a page.
struct JoinedReply {
    std::string classCode;
    std::string seat;
    friend bool operator==(const JoinedReply &, const JoinedReply &) = default;
};
struct AckReply {
    std::int64_t experiment = 0;
    std::int64_t seq = 0; // of the newest state kept
    friend bool operator==(const AckReply &, const AckReply &) = default;
};
struct LaterReply {
    std::int64_t experiment = 0;
    friend bool operator==(const LaterReply &, const LaterReply &) = default;
};
struct RemovedReply {
    std::int64_t experiment = 0;
    friend bool operator==(const RemovedReply &, const RemovedReply &) = default;
};
struct SeatReply {
    std::string seat;
    friend bool operator==(const SeatReply &, const SeatReply &) = default;
};
struct OpenedReply { // to the teacher who opened the class: the only time its key is said
    std::string classCode;
    std::string key;
    friend bool operator==(const OpenedReply &, const OpenedReply &) = default;
};
using ServerMessage = std::variant<JoinedReply, AckReply, LaterReply, RemovedReply, SeatReply, OpenedReply>;

} // namespace nuperako::pool
