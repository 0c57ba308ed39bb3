// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classsession.h"

#include <utility>

namespace nuperako::pool {

namespace {

HistoryPoint pointOf(const PooledTally &t)
{
    HistoryPoint p{t.rounds, {}};
    for (const ResultKind k : kResultKinds)
        p.totals[index(k)] = t[totalOf(k)];
    return p;
}

} // namespace

ClassSession::ClassSession(ClassPool pool, PooledHistory history, std::string keyHash, bool revealed)
    : m_pool(std::move(pool)),
      m_history(std::move(history)),
      m_keyHash(std::move(keyHash)),
      m_revealed(revealed),
      m_rows{m_pool.code(), {}, {}, {}, {}, {}}
{
}

bool ClassSession::join(ConnectionId c, const std::string &device, std::int64_t nowMs)
{
    if (!isDeviceId(device)) {
        m_requests.emplace_back(Close{c, protocol::kBadDevice});
        return false;
    }
    const bool known = m_pool.student(device) != nullptr;
    const Student *student = m_pool.join(device, nowMs);
    if (student == nullptr) {
        m_requests.emplace_back(Close{c, protocol::kClassFull});
        return false;
    }
    m_devices[c] = device;
    if (!known)
        stageSeat(device);
    // The seat is safe in the store before the page shows it.
    m_requests.emplace_back(Send{c, JoinedReply{code(), student->seat}});
    changed();
    return true;
}

void ClassSession::offer(ConnectionId c, const StateMessage &state, std::int64_t nowMs)
{
    const auto joined = m_devices.find(c);
    if (joined == m_devices.end())
        return;
    const std::string &device = joined->second;
    const Verdict verdict = m_pool.offer(device, state, nowMs);
    if (isRefusal(verdict)) {
        m_requests.emplace_back(Close{c, {protocol::kRefusedStateCode, reasonOf(verdict)}});
        return;
    }
    if (verdict == Verdict::Removed) {
        m_requests.emplace_back(Send{c, RemovedReply{state.experiment}});
        return;
    }
    if (verdict == Verdict::TooFast) {
        m_requests.emplace_back(Send{c, LaterReply{state.experiment}});
        return;
    }
    // Accepted or stale, the state kept is the newest: the page may forget every older one.
    const ExperimentState &kept = *m_pool.newestState(device, state.experiment);
    if (verdict == Verdict::Accepted) {
        m_rows.experiments[{device, state.experiment}] = kept;
        changed();
    }
    m_requests.emplace_back(Send{c, AckReply{state.experiment, kept.seq}});
}

void ClassSession::rename(ConnectionId c, std::string_view name)
{
    const auto joined = m_devices.find(c);
    if (joined == m_devices.end())
        return;
    if (m_pool.rename(joined->second, name) == Verdict::Accepted) {
        stageSeat(joined->second);
        changed();
    }
    // A name the rules refuse leaves the seat as it was, and the page shows it again.
    m_requests.emplace_back(Send{c, SeatReply{m_pool.student(joined->second)->seat}});
}

void ClassSession::leave(ConnectionId c)
{
    if (const auto joined = m_devices.find(c); joined != m_devices.end()) {
        m_pool.leave(joined->second);
        m_devices.erase(joined);
        changed();
    }
}

bool ClassSession::removeExperiment(int student, std::int64_t experiment)
{
    const std::string *device = m_pool.remove(student, experiment);
    if (device == nullptr)
        return false;
    m_rows.removals.emplace_back(*device, experiment);
    for (const auto &[c, d] : m_devices) {
        if (d == *device)
            m_requests.emplace_back(Send{c, RemovedReply{experiment}});
    }
    changed();
    return true;
}

void ClassSession::close()
{
    for (const auto &[c, device] : m_devices)
        m_requests.emplace_back(Close{c, protocol::kClassClosed});
    m_devices.clear();
}

void ClassSession::reveal(bool revealed)
{
    if (revealed == m_revealed)
        return;
    m_revealed = revealed;
    m_rows.revealed = revealed;
    changed();
}

const ClassRows &ClassSession::rowsToWrite()
{
    const HistoryPoint now = pointOf(m_pool.tally());
    if ((now.rounds > 0 || !m_history.points().empty()) && m_history.record(now)) {
        m_rows.history.push_back(now);
        changed();
    }
    return m_rows;
}

std::vector<SessionRequest> ClassSession::takeRequests()
{
    return std::exchange(m_requests, {});
}

void ClassSession::stageSeat(const std::string &device)
{
    const Student &s = *m_pool.student(device);
    m_rows.students[device] = {s.seat, s.number, s.joinedMs};
}

} // namespace nuperako::pool
