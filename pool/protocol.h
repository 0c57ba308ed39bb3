// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The class's protocol between a student's page and the server: text frames
// of JSON over a WebSocket at /ws, each an object with a "type". Both sides
// take it from here: the server in C++, the page through the browser module
// (the layout's "protocol").
namespace nuperako::protocol {

// What a student's page says: joins its class, sends an experiment's whole tally, names its seat.
inline constexpr std::string_view kJoin = "join";   // class, device
inline constexpr std::string_view kState = "state"; // experiment, seq, counts (the nine), ended
inline constexpr std::string_view kSeat = "seat";   // name; the server answers seat with the seat it keeps
inline constexpr std::string_view kWatch = "watch"; // watching: whether the page shows the class's window
// What the server answers, each once the store has written what it answers.
inline constexpr std::string_view kJoined = "joined";   // class, seat
inline constexpr std::string_view kAck = "ack";         // experiment, seq: the newest state kept
inline constexpr std::string_view kLater = "later";     // experiment: played faster than a student can
inline constexpr std::string_view kRemoved = "removed"; // experiment: the teacher has taken it out
// What the server tells a watching student's page: the same for every page of the class, no seat, no
// student's number. revealed; while revealed also dots and history, each a flat list of numbers, three
// to an experiment or a point: its rounds, draws and wins alone.
inline constexpr std::string_view kOverview = "overview";
// What a teacher's page says: opens a class, follows one with its key, and acts on the followed one.
inline constexpr std::string_view kOpen = "open";         // password (when the server has one)
inline constexpr std::string_view kFollow = "follow";     // class, key
inline constexpr std::string_view kRemove = "remove";     // student, experiment
inline constexpr std::string_view kNewClass = "newClass"; // the followed class closes, a new one opens
inline constexpr std::string_view kReveal = "reveal";     // revealed: whether the students see the class
// What the server tells a teacher's page.
inline constexpr std::string_view kOpened = "opened";   // class, key: the class it opened and now follows
inline constexpr std::string_view kClassView = "class"; // the followed class as it stands, at most five times a second

// What the server answers over HTTP besides the page's files: the class's pool
// (?class=CODE), the teachers' settings, a QR code's modules (?text=...), and a
// class's CSV (?class=CODE, its teacher's key in the header: never in an address).
inline constexpr std::string_view kPoolPath = "/pool.json";
inline constexpr std::string_view kTeacherSettingsPath = "/teacher.json";
inline constexpr std::string_view kQrPath = "/qr.json";
inline constexpr std::string_view kExportPath = "/export.csv";
inline constexpr std::string_view kKeyHeader = "X-Nuperako-Key";

// The messages' fields.
namespace field {
inline constexpr std::string_view kType = "type";
inline constexpr std::string_view kClass = "class";
inline constexpr std::string_view kDevice = "device";
inline constexpr std::string_view kExperiment = "experiment";
inline constexpr std::string_view kSeq = "seq";
inline constexpr std::string_view kCounts = "counts";
inline constexpr std::string_view kEnded = "ended";
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kSeat = "seat";
inline constexpr std::string_view kPassword = "password";
inline constexpr std::string_view kKey = "key";
inline constexpr std::string_view kStudent = "student";
inline constexpr std::string_view kWatching = "watching";
inline constexpr std::string_view kRevealed = "revealed";
inline constexpr std::string_view kDots = "dots";
inline constexpr std::string_view kHistory = "history";
} // namespace field

// Why the server closes a page's connection: a WebSocket close code and its reason.
struct Refusal {
    int code;
    std::string_view reason;
    friend bool operator==(const Refusal &, const Refusal &) = default;
};
inline constexpr int kUnknownClassCode = 4404; // the page shows that its class is not open, and stops asking
inline constexpr Refusal kUnknownClass{kUnknownClassCode, "unknown class"};
inline constexpr Refusal kClassClosed{kUnknownClassCode, "the class has closed"};
inline constexpr Refusal kMalformedJson{1007, "malformed JSON"};
inline constexpr Refusal kMalformedState{1007, "malformed state"};
inline constexpr Refusal kBinaryFrame{1003, "text frames only"};
inline constexpr Refusal kUnexpected{1008, "unexpected message"};
inline constexpr Refusal kTooManyMessages{1008, "too many messages"};
inline constexpr Refusal kJoinFirst{1008, "join the class first"};
inline constexpr Refusal kBadDevice{1008, "bad device id"};
inline constexpr int kRefusedStateCode = 1008; // with the class's rules' reason (pool::reasonOf)
inline constexpr Refusal kClassFull{1013, "class is full"};
inline constexpr Refusal kTooManyConnections{1013, "too many connections"};
inline constexpr int kForbiddenCode = 4403; // a wrong teacher's key or password; HTTP's 403
inline constexpr Refusal kWrongKey{kForbiddenCode, "wrong key"};
inline constexpr Refusal kWrongPassword{kForbiddenCode, "wrong password"};
inline constexpr Refusal kTooManyTries{1008, "too many tries"};
inline constexpr Refusal kTooManyClasses{1013, "too many classes open"};
inline constexpr Refusal kOpenedTooMany{1013, "too many classes opened from this address"};
inline constexpr Refusal kNoClassMade{1011, "no class could be made"};
inline constexpr int kTooLargeCode = 1009; // a frame over kMaxMessageBytes, refused by the socket itself

// Limits.
inline constexpr std::size_t kMaxMessageBytes = 4096;
inline constexpr std::size_t kMaxSeatLength = 12; // characters
inline constexpr int kSendIntervalMs = 250;       // a page sends at most four states a second
inline constexpr int kLaterMs = 5000;             // a state answered "later" is sent again this much later
inline constexpr int kRetryMinMs = 500;           // a page's back-off between connections, with jitter
inline constexpr int kRetryMaxMs = 10'000;
// A page sends at most four states a second, more only while it catches up.
inline constexpr double kMessagesPerSecond = 20;
inline constexpr double kMessageBurst = 60;
// A person clicking as fast as they can plays about three rounds a second, the
// automatic timer two; a student may be ahead of that by a little burst.
inline constexpr int kRoundsPerSecond = 5;
inline constexpr int kBurstRounds = 60;
inline constexpr std::int64_t kJoinMs = 10'000;   // for a WebSocket to join its class
inline constexpr std::int64_t kPingMs = 15'000;   // how often the server pings every page
inline constexpr std::int64_t kSilentMs = 40'000; // a page that has said nothing for so long, not even a pong, has gone
inline constexpr int kViewMs = 200;               // a teacher's page hears of its class at most five times a second
inline constexpr int kOverviewMs = 1000;          // a watching student's page, at most once a second,
inline constexpr int kOverviewBytesPerSecond = 1800; // and at most so many bytes a second (with the acks, under 2 KB)
inline constexpr std::size_t kOverviewPoints = 48;   // of the class's history, for a small window's curves
// An address that keeps guessing a key or the password is slowed down; one
// that opens class after class is stopped, and so is a server that fills up.
inline constexpr double kTriesPerMinute = 10;
inline constexpr double kOpensPerHour = 20;
inline constexpr std::size_t kMaxOpenClasses = 300;
inline constexpr std::size_t kKeyBytes = 16; // 128 random bits from the system's generator

} // namespace nuperako::protocol
