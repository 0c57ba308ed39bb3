// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/classsession.h"
#include "pool/messages.h"
#include "pool/sessionrequest.h"
#include "pool/tokenbucket.h"
#include "pool/wallclock.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nuperako::pool {

// The class server's rules for the students' pages, without a socket: each
// page's connection from its opening, through its join into a class, to its
// close. It refuses what the protocol does not allow (with the close code
// and reason of protocol.h), keeps each page's message rate, its time to
// join and its silence, and passes a joined page's messages to its class's
// session. Answers go out only after the store has written what they answer:
// the server asks for the rows to write when a write is due, and says when
// they are written. The server passes every event in, then carries out the
// requests, oldest first. Times come from the clock.
class ClassHub {
public:
    struct Limits {
        std::int64_t joinMs = protocol::kJoinMs;
        std::int64_t pingMs = protocol::kPingMs;
        std::int64_t silentMs = protocol::kSilentMs;
        // Every limit multiplied by factor (shorter ones for tests).
        [[nodiscard]] Limits scaled(double factor) const;
    };
    // States wait at most this long to be written together; after a failed write, the next try is this late.
    static constexpr std::int64_t kWriteEveryMs = 40;
    static constexpr std::int64_t kRetryWriteMs = 1000;

    ClassHub(const WallClock &clock, const Limits &limits);

    // The classes open here, by code. A closed class's pages hear that it has
    // closed; what it has not written yet is still written.
    ClassSession &open(ClassSession session);
    void close(const std::string &code);
    [[nodiscard]] const ClassSession *openClass(const std::string &code) const;

    // A page's connection, and what comes on it.
    void opened(ConnectionId c);
    void received(ConnectionId c, const PageMessage &message);
    void receivedBinary(ConnectionId c);
    void ponged(ConnectionId c);
    void closed(ConnectionId c);
    // Time has passed: deadlines to join, pings, silence.
    void tick();
    // The teacher takes a student's experiment out of a class. False if there is no such experiment.
    bool removeExperiment(const std::string &code, int student, std::int64_t experiment);

    // When the next write is due (nothing to write: none), on the clock.
    [[nodiscard]] std::optional<std::int64_t> writeDueAt() const { return m_writeDueMs; }
    // What every class has to write now, each with its tally at the end of its history.
    std::vector<const ClassRows *> rowsToWrite();
    // The store has written them, or failed to: the answers go, or wait for the next try.
    void written(bool ok);

    // The requests since the last call, oldest first; answers only once written.
    std::vector<SessionRequest> takeRequests();

private:
    struct Page {
        std::int64_t openedMs = 0;
        std::int64_t heardMs = 0;
        TokenBucket messages{protocol::kMessagesPerSecond, protocol::kMessageBurst};
        std::string classCode; // empty until it has joined
        bool closing = false;  // refused or dropped: nothing more of it counts
    };

    void join(ConnectionId c, Page &page, const JoinMessage &message);
    void refuse(ConnectionId c, Page &page, const protocol::Refusal &why);
    void drop(ConnectionId c);
    ClassSession *sessionOf(const Page &page);
    // Takes a session's requests: answers wait for the next write, the rest go at once.
    void collect(ClassSession &session);
    void add(SessionRequest request);
    void scheduleWrite();

    const WallClock &m_clock;
    Limits m_limits;
    std::map<std::string, std::unique_ptr<ClassSession>, std::less<>> m_sessions;
    std::vector<std::unique_ptr<ClassSession>> m_closed; // until their rows are written
    std::map<ConnectionId, Page> m_pages;
    std::vector<SessionRequest> m_requests;
    std::vector<SessionRequest> m_answers; // until the next write
    std::optional<std::int64_t> m_writeDueMs;
    std::int64_t m_pingedMs = 0;
};

} // namespace nuperako::pool
