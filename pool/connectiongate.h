// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace nuperako::pool {

// Which connections the class's server lets in, and for how long. Anyone on a
// school's network can connect: a connection is let in only below a ceiling
// that keeps the program within its open files, and only while its address has
// few connections that have not yet shown what they are for (a request not yet
// whole, a WebSocket not yet joined: its time to join is the ClassHub's); one
// that does not finish its request in time is closed, and so is one left idle
// between requests. Times are milliseconds on a steady clock.
class ConnectionGate {
public:
    using Id = std::uint64_t;
    // Past this, more connections cost memory and time without serving a class better; a school's server may say more.
    static constexpr std::size_t kDefaultConnections = 4000;

    struct Limits {
        std::size_t connections = 0;        // of every kind together
        std::size_t webSockets = 0;         // of them; the rest stay for the page and the pool
        std::size_t waitingPerAddress = 32; // an address's connections in a request or not joined yet
        std::int64_t requestMs = 10'000;    // to send a whole HTTP request
        std::int64_t idleMs = 30'000;       // a kept-alive connection between requests

        // The limits for a program that may keep openFiles files open and
        // wants at most most connections: the program's own files (the
        // database, fonts, the display) keep a margin.
        static Limits forOpenFiles(std::size_t openFiles, std::size_t most = kDefaultConnections);
        // Every time limit multiplied by factor (shorter limits for tests).
        [[nodiscard]] Limits scaled(double factor) const;
    };

    enum class Phase {
        Request, // an HTTP request on its way
        Idle,    // kept alive after an answer, waiting for the next request
        Joining, // a WebSocket that has not joined a class yet
        Joined,  // a student's page: the class's own rules watch it
        Closing, // past its time or refused, on its way out
    };

    explicit ConnectionGate(const Limits &limits);

    // A new connection from address: its id, or none when it must be closed at
    // once (the ceiling is reached, or its address has too many waiting).
    std::optional<Id> open(const std::string &address, std::int64_t nowMs);
    // Bytes of a further request have come on a kept-alive connection.
    void requestStarted(Id id, std::int64_t nowMs);
    // A whole request has been read and answered.
    void answered(Id id, std::int64_t nowMs);
    // The request became a WebSocket; false when no further WebSocket may stay
    // (the connection is Closing then).
    bool upgraded(Id id, std::int64_t nowMs);
    void joined(Id id);
    // The connection is gone, its file closed.
    void closed(Id id);

    // The requests and idle connections whose time has run out, earliest first,
    // with the phase they were in; each is Closing now.
    std::vector<std::pair<Id, Phase>> expire(std::int64_t nowMs);

    [[nodiscard]] std::size_t size() const { return m_connections.size(); }
    [[nodiscard]] std::optional<Phase> phaseOf(Id id) const;

private:
    struct Connection {
        std::string address;
        Phase phase = Phase::Request;
        std::int64_t deadline = 0; // when the phase's time runs out, if it has a limit
    };

    void enter(Id id, Connection &c, Phase phase, std::int64_t nowMs);
    void leave(Id id, const Connection &c);
    [[nodiscard]] std::optional<std::int64_t> limitOf(Phase phase) const;

    Limits m_limits;
    Id m_next = 1;
    std::unordered_map<Id, Connection> m_connections;
    std::set<std::pair<std::int64_t, Id>> m_deadlines;         // the phases with a time limit
    std::map<std::string, std::size_t, std::less<>> m_waiting; // by address: in Request or Joining
    std::size_t m_webSockets = 0;                              // Joining or Joined
};

} // namespace nuperako::pool
