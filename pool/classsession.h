// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/classpool.h"
#include "pool/classrows.h"
#include "pool/pooledhistory.h"
#include "pool/sessionrequest.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace nuperako::pool {

// One class as its pages and its teacher see it: the students who joined and
// their experiments (a ClassPool), the class's tally as it grew, and what the
// store is to write. The server passes the events of the class's joined pages
// in; the session keeps what the teacher's views show, gathers the rows to
// write, and asks for answers and refusals, in order, as requests.
class ClassSession {
public:
    // keyHash: the SHA-256 of the class's teacher key; empty for a class no teacher's page may follow.
    // revealed: whether the class's students see it, as the teacher last chose.
    ClassSession(ClassPool pool, PooledHistory history, std::string keyHash = {}, bool revealed = false);

    [[nodiscard]] const std::string &code() const { return m_pool.code(); }
    [[nodiscard]] const std::string &keyHash() const { return m_keyHash; }
    // Whether any page of the class is connected now.
    [[nodiscard]] bool hasPages() const { return !m_devices.empty(); }

    // The page on connection c joins as device; false when refused (and it is closed).
    bool join(ConnectionId c, const std::string &device, std::int64_t nowMs);
    void offer(ConnectionId c, const StateMessage &state, std::int64_t nowMs);
    void rename(ConnectionId c, std::string_view name);
    // The page's connection has closed.
    void leave(ConnectionId c);
    // The teacher takes a student's experiment out of the class; its pages hear it.
    // False if there is no such experiment.
    bool removeExperiment(int student, std::int64_t experiment);
    // The class closes (another opens in its place): every page of it hears so.
    void close();
    // The teacher shows the class to its students, or hides it: off until the teacher chooses.
    void reveal(bool revealed);
    [[nodiscard]] bool revealed() const { return m_revealed; }

    // What the store is to write, with the class's tally now at the end of its history.
    const ClassRows &rowsToWrite();
    // They are written: gathered afresh from here on.
    void rowsWritten() { m_rows.clear(); }
    [[nodiscard]] bool hasRowsToWrite() const { return !m_rows.empty(); }

    // What the teacher's views show; changes() moves on whenever any of it changes.
    [[nodiscard]] const ClassPool &pool() const { return m_pool; }
    [[nodiscard]] PoolSummary summary() const { return m_pool.summary(); }
    [[nodiscard]] const PooledHistory &history() const { return m_history; }
    [[nodiscard]] std::uint64_t changes() const { return m_changes; }

    // The requests since the last call, oldest first.
    std::vector<SessionRequest> takeRequests();

private:
    void stageSeat(const std::string &device);
    void changed() { ++m_changes; }

    ClassPool m_pool;
    PooledHistory m_history;
    std::string m_keyHash;
    bool m_revealed;
    ClassRows m_rows;
    std::map<ConnectionId, std::string> m_devices; // the joined pages' devices
    std::vector<SessionRequest> m_requests;
    std::uint64_t m_changes = 0;
};

} // namespace nuperako::pool
