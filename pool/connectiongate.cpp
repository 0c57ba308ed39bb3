// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/connectiongate.h"

#include <algorithm>
#include <cmath>

namespace nuperako::pool {

namespace {

// The program's own files besides its connections: the database and its
// journal, the display, fonts, Qt's own pipes and notifiers.
constexpr std::size_t kOwnFiles = 64;

bool isWaiting(ConnectionGate::Phase phase)
{
    return phase == ConnectionGate::Phase::Request || phase == ConnectionGate::Phase::Joining;
}

bool isWebSocket(ConnectionGate::Phase phase)
{
    return phase == ConnectionGate::Phase::Joining || phase == ConnectionGate::Phase::Joined;
}

} // namespace

ConnectionGate::Limits ConnectionGate::Limits::forOpenFiles(std::size_t openFiles, std::size_t most)
{
    Limits limits;
    limits.connections = std::min(most, openFiles - std::min(kOwnFiles, openFiles / 2));
    // A quarter stays for plain requests, so that the page and the pool load while WebSockets are full.
    limits.webSockets = limits.connections - limits.connections / 4;
    return limits;
}

ConnectionGate::Limits ConnectionGate::Limits::scaled(double factor) const
{
    Limits limits = *this;
    for (std::int64_t *ms : {&limits.requestMs, &limits.idleMs})
        *ms = std::llround(static_cast<double>(*ms) * factor);
    return limits;
}

ConnectionGate::ConnectionGate(const Limits &limits) : m_limits(limits) {}

std::optional<ConnectionGate::Id> ConnectionGate::open(const std::string &address, std::int64_t nowMs)
{
    if (m_connections.size() >= m_limits.connections)
        return std::nullopt;
    if (const auto waiting = m_waiting.find(address);
        waiting != m_waiting.end() && waiting->second >= m_limits.waitingPerAddress)
        return std::nullopt;
    const Id id = m_next++;
    Connection &c = m_connections[id];
    c.address = address;
    c.phase = Phase::Closing; // nothing to leave: entering Request counts it
    enter(id, c, Phase::Request, nowMs);
    return id;
}

void ConnectionGate::requestStarted(Id id, std::int64_t nowMs)
{
    if (const auto it = m_connections.find(id); it != m_connections.end() && it->second.phase == Phase::Idle)
        enter(id, it->second, Phase::Request, nowMs);
}

void ConnectionGate::answered(Id id, std::int64_t nowMs)
{
    if (const auto it = m_connections.find(id); it != m_connections.end() && it->second.phase == Phase::Request)
        enter(id, it->second, Phase::Idle, nowMs);
}

bool ConnectionGate::upgraded(Id id, std::int64_t nowMs)
{
    const auto it = m_connections.find(id);
    if (it == m_connections.end() || it->second.phase != Phase::Request)
        return false;
    enter(id, it->second, m_webSockets < m_limits.webSockets ? Phase::Joining : Phase::Closing, nowMs);
    return it->second.phase == Phase::Joining;
}

void ConnectionGate::joined(Id id)
{
    if (const auto it = m_connections.find(id); it != m_connections.end() && it->second.phase == Phase::Joining)
        enter(id, it->second, Phase::Joined, 0);
}

void ConnectionGate::closed(Id id)
{
    if (const auto it = m_connections.find(id); it != m_connections.end()) {
        leave(id, it->second);
        m_connections.erase(it);
    }
}

std::vector<std::pair<ConnectionGate::Id, ConnectionGate::Phase>> ConnectionGate::expire(std::int64_t nowMs)
{
    std::vector<std::pair<Id, Phase>> expired;
    while (!m_deadlines.empty() && m_deadlines.begin()->first <= nowMs) {
        const Id id = m_deadlines.begin()->second;
        Connection &c = m_connections.at(id);
        expired.emplace_back(id, c.phase);
        enter(id, c, Phase::Closing, nowMs);
    }
    return expired;
}

std::optional<ConnectionGate::Phase> ConnectionGate::phaseOf(Id id) const
{
    const auto it = m_connections.find(id);
    return it == m_connections.end() ? std::nullopt : std::optional(it->second.phase);
}

void ConnectionGate::enter(Id id, Connection &c, Phase phase, std::int64_t nowMs)
{
    leave(id, c);
    c.phase = phase;
    if (const std::optional<std::int64_t> limit = limitOf(phase)) {
        c.deadline = nowMs + *limit;
        m_deadlines.emplace(c.deadline, id);
    }
    if (isWaiting(phase))
        ++m_waiting[c.address];
    if (isWebSocket(phase))
        ++m_webSockets;
}

void ConnectionGate::leave(Id id, const Connection &c)
{
    if (limitOf(c.phase))
        m_deadlines.erase({c.deadline, id});
    if (isWaiting(c.phase)) {
        const auto waiting = m_waiting.find(c.address);
        if (--waiting->second == 0)
            m_waiting.erase(waiting);
    }
    if (isWebSocket(c.phase))
        --m_webSockets;
}

std::optional<std::int64_t> ConnectionGate::limitOf(Phase phase) const
{
    switch (phase) {
    case Phase::Request: return m_limits.requestMs;
    case Phase::Idle: return m_limits.idleMs;
    case Phase::Joining:
    case Phase::Joined:
    case Phase::Closing: return std::nullopt;
    }
    return std::nullopt;
}

} // namespace nuperako::pool
