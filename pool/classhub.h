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

// The class server's rules for the pages it serves, without a socket: each
// page's connection from its opening, through its join into a class (a
// student's page) or its following of one (a teacher's page), to its close.
// It refuses what the protocol does not allow (with the close code and reason
// of protocol.h), keeps each page's message rate, its time to join and its
// silence, checks a teacher's key and the teachers' password and slows an
// address that keeps guessing, and passes a joined page's messages to its
// class's session. Answers go out only after the store has written what they
// answer: the server asks for the rows to write when a write is due, and says
// when they are written. The server passes every event in, then carries out
// the requests, oldest first. Times come from the clock.
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
    static constexpr std::int64_t kWriteEveryMs = 10;
    static constexpr std::int64_t kRetryWriteMs = 1000;

    // passwordHash: the SHA-256 of the teachers' password; empty when anyone may open a class.
    ClassHub(const WallClock &clock, const Limits &limits, std::string passwordHash = {});

    // The classes open here, by code. A closed class's pages hear that it has
    // closed; what it has not written yet is still written.
    ClassSession &open(ClassSession session);
    void close(const std::string &code);
    [[nodiscard]] const ClassSession *openClass(const std::string &code) const;
    [[nodiscard]] std::size_t openClasses() const { return m_sessions.size(); }
    [[nodiscard]] const std::string &passwordHash() const { return m_passwordHash; }

    // A page's connection from address, and what comes on it.
    void opened(ConnectionId c, const std::string &address);
    void received(ConnectionId c, const PageMessage &message);
    void receivedBinary(ConnectionId c);
    void ponged(ConnectionId c);
    void closed(ConnectionId c);
    // Time has passed: deadlines to join, pings, silence.
    void tick();
    // The teachers' pages hear of their classes' changes, each class at most every protocol::kViewMs.
    // Call it kPublishSlots times in that interval: each call builds a share of the classes' views,
    // the longest waiting first, so that a school's many classes do not stall the server at once.
    static constexpr int kPublishSlots = 8;
    void publish();
    // The teacher takes a student's experiment out of a class. False if there is no such experiment.
    bool removeExperiment(const std::string &code, int student, std::int64_t experiment);
    // The teacher shows a class to its students, or hides it.
    void reveal(const std::string &code, bool revealed);
    // The class's overview that went to its watching pages was so large: the next one waits accordingly.
    void overviewSent(const std::string &code, std::size_t bytes);
    // Whether a teacher with this key's hash, from this address, may read the class
    // (its CSV); a refusal if not, counted as a try.
    std::optional<protocol::Refusal> mayRead(const std::string &code, const std::string &keyHash,
                                             const std::string &address);

    // What Create asked for: the new class, and its key said once to the teacher who asked; or none made.
    void created(ConnectionId c, ClassSession session, const std::string &key);
    void notCreated(ConnectionId c);
    // What Load asked for: the class as the store kept it, or none.
    void loaded(const std::string &code, std::optional<ClassSession> session);

    // When the next write is due (nothing to write: none), on the clock.
    [[nodiscard]] std::optional<std::int64_t> writeDueAt() const { return m_writeDueMs; }
    // What every class has to write now, each with its tally at the end of its history.
    std::vector<const ClassRows *> rowsToWrite();
    // The store has written them, or failed to: the answers go, or wait for the next try.
    void written(bool ok);

    // The requests since the last call, oldest first; answers only once written.
    std::vector<SessionRequest> takeRequests();

private:
    enum class Role { Unknown, Student, Teacher };
    struct Page {
        std::string address;
        std::int64_t openedMs = 0;
        std::int64_t heardMs = 0;
        TokenBucket messages{protocol::kMessagesPerSecond, protocol::kMessageBurst};
        Role role = Role::Unknown;
        std::string classCode;    // joined or followed; empty until then
        bool closing = false;     // refused or dropped: nothing more of it counts
        bool sawClass = false;    // a teacher's page that has had its class's view
        bool waitingFor = false;  // a page waiting for its class to be made or loaded
        bool watching = false;    // a student's page that shows the class's window
        bool sawOverview = false; // a watching page that has heard what the students see
        // The page opens the class's window (it hears at once what the students see) or closes it.
        void watch(bool on)
        {
            watching = on;
            sawOverview = false;
        }
    };
    // A page waiting for its class to be loaded from the store: a teacher's, with
    // the hash of the key it gave, or a student's, with its device.
    struct Waiting {
        ConnectionId connection;
        std::optional<std::string> keyHash;
        std::string device;
    };
    void waitForLoad(const std::string &code, Waiting waiting);

    void join(ConnectionId c, Page &page, const JoinMessage &message);
    void openFor(ConnectionId c, Page &page, const OpenMessage &message);
    void follow(ConnectionId c, Page &page, const FollowMessage &message);
    void teach(ConnectionId c, Page &page, const PageMessage &message);
    void becomeTeacher(ConnectionId c, Page &page, const std::string &code);
    // The students' pages that watch their class hear what they see of it.
    void publishOverviews();
    // Whether the page's address may try a secret now; refused (too many tries) if not.
    bool mayTry(ConnectionId c, Page &page);
    // An address's allowance of tries at a secret, and of classes opened.
    TokenBucket &triesOf(const std::string &address);
    TokenBucket &opensOf(const std::string &address);
    // Room for one more open class: an idle class is closed to make it, if need be.
    bool roomForAClass();
    void refuse(ConnectionId c, Page &page, const protocol::Refusal &why);
    void drop(ConnectionId c);
    ClassSession *sessionOf(const Page &page);
    // Takes a session's requests: answers wait for the next write, the rest go at once.
    void collect(ClassSession &session);
    void add(SessionRequest request);
    void scheduleWrite();

    const WallClock &m_clock;
    Limits m_limits;
    std::string m_passwordHash;
    std::map<std::string, std::unique_ptr<ClassSession>, std::less<>> m_sessions;
    std::vector<std::unique_ptr<ClassSession>> m_closed; // until their rows are written
    struct Shown {
        std::uint64_t changes; // the class's changes its teachers have seen
        std::int64_t atMs;     // when they were shown
    };
    std::map<std::string, Shown, std::less<>> m_shown; // by class
    struct Told {
        std::uint64_t changes; // the class's changes its watching students have heard of
        std::int64_t atMs;
        bool revealed;
        std::int64_t spacingMs = protocol::kOverviewMs; // to the next one
    };
    std::map<std::string, Told, std::less<>> m_told;                    // by class
    std::map<std::string, std::vector<Waiting>, std::less<>> m_loading; // by class: pages waiting for it
    std::map<ConnectionId, Page> m_pages;
    std::map<std::string, TokenBucket, std::less<>> m_tries; // by address
    std::map<std::string, TokenBucket, std::less<>> m_opens; // by address
    std::vector<SessionRequest> m_requests;
    std::vector<SessionRequest> m_answers; // until the next write
    std::optional<std::int64_t> m_writeDueMs;
    std::int64_t m_pingedMs = 0;
};

} // namespace nuperako::pool
