// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classpool.h"

#include "pool/protocol.h"
#include "pool/seatname.h"
#include "pool/staterules.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace nuperako::pool {

namespace {

constexpr std::size_t kMinDeviceId = 16;
constexpr std::size_t kMaxDeviceId = 64;
constexpr std::int64_t kMsPerSecond = 1000;

// The rounds of all the student's experiments.
int roundsPlayed(const Student &s)
{
    int rounds = 0;
    for (const auto &[number, e] : s.experiments)
        rounds += roundsOf(e.state.counts);
    return rounds;
}

} // namespace

bool isDeviceId(std::string_view id)
{
    const auto allowed = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_';
    };
    return id.size() >= kMinDeviceId && id.size() <= kMaxDeviceId && std::ranges::all_of(id, allowed);
}

ClassPool::ClassPool(std::string code) : m_code(std::move(code)) {}

const Student *ClassPool::join(const std::string &device, std::int64_t nowMs)
{
    auto it = m_students.find(device);
    if (it == m_students.end()) {
        if (m_students.size() >= kMaxStudents)
            return nullptr;
        const int number = static_cast<int>(m_students.size()) + 1;
        it = m_students.emplace(device, Student{defaultSeatName(number), number, nowMs, 0, {}, {}}).first;
    }
    ++it->second.connections;
    return &it->second;
}

void ClassPool::leave(const std::string &device)
{
    if (const auto it = m_students.find(device); it != m_students.end() && it->second.connections > 0)
        --it->second.connections;
}

Verdict ClassPool::offer(const std::string &device, const StateMessage &message, std::int64_t nowMs)
{
    const auto it = m_students.find(device);
    if (it == m_students.end())
        return Verdict::NotJoined;
    Student &pupil = it->second;
    if (pupil.removed.contains(message.experiment))
        return Verdict::Removed;
    ExperimentState next;
    if (const Verdict v = readState(message, next); v != Verdict::Accepted)
        return v;

    const auto known = pupil.experiments.find(message.experiment);
    int before = 0; // this experiment's rounds in the pool so far
    if (known != pupil.experiments.end()) {
        const Student::Experiment &e = known->second;
        if (const Verdict v = follows(e.state, next, e.endedAt.value_or(0)); v != Verdict::Accepted)
            return v;
        before = roundsOf(e.state.counts);
    } else if (pupil.experiments.size() >= kMaxExperimentsPerStudent) {
        return Verdict::TooMany;
    }
    const std::int64_t allowed =
        protocol::kBurstRounds +
        (protocol::kRoundsPerSecond * std::max<std::int64_t>(0, nowMs - pupil.joinedMs)) / kMsPerSecond;
    if (roundsPlayed(pupil) - before + roundsOf(next.counts) > allowed)
        return Verdict::TooFast;

    Student::Experiment &e = pupil.experiments[message.experiment];
    e.state = next;
    if (next.ended && !e.endedAt)
        e.endedAt = roundsOf(next.counts);
    return Verdict::Accepted;
}

Verdict ClassPool::rename(const std::string &device, std::string_view name)
{
    const auto it = m_students.find(device);
    if (it == m_students.end())
        return Verdict::NotJoined;
    const std::optional<std::string> seat = seatName(name);
    if (!seat)
        return Verdict::BadSeatName;
    it->second.seat = *seat;
    return Verdict::Accepted;
}

const std::string *ClassPool::remove(int student, std::int64_t experiment)
{
    for (auto &[device, pupil] : m_students) {
        if (pupil.number == student && pupil.experiments.erase(experiment) > 0) {
            pupil.removed.insert(experiment);
            return &device;
        }
    }
    return nullptr;
}

const Student *ClassPool::student(const std::string &device) const
{
    const auto it = m_students.find(device);
    return it == m_students.end() ? nullptr : &it->second;
}

const ExperimentState *ClassPool::newestState(const std::string &device, std::int64_t experiment) const
{
    const Student *pupil = student(device);
    if (pupil == nullptr)
        return nullptr;
    const auto it = pupil->experiments.find(experiment);
    return it == pupil->experiments.end() ? nullptr : &it->second.state;
}

PoolSummary ClassPool::summary() const
{
    PoolSummary s;
    for (const auto &[device, pupil] : m_students) {
        if (pupil.connections > 0)
            ++s.connected;
        for (const auto &[number, e] : pupil.experiments) {
            s.tally.add(e.state.counts);
            s.experiments.push_back({pupil.seat, pupil.number, number, e.state});
        }
    }
    std::ranges::sort(s.experiments, {}, [](const PooledExperiment &e) { return std::tie(e.number, e.experiment); });
    return s;
}

PooledTally ClassPool::tally() const
{
    PooledTally t;
    for (const auto &[device, pupil] : m_students) {
        for (const auto &[number, e] : pupil.experiments)
            t.add(e.state.counts);
    }
    return t;
}

void ClassPool::restoreStudent(const std::string &device, std::string seat, int number, std::int64_t joinedMs)
{
    m_students.insert_or_assign(device, Student{std::move(seat), number, joinedMs, 0, {}, {}});
}

void ClassPool::restoreExperiment(const std::string &device, std::int64_t experiment, const ExperimentState &state)
{
    const auto it = m_students.find(device);
    if (it == m_students.end())
        return;
    Student::Experiment &e = it->second.experiments[experiment];
    e.state = state;
    if (state.ended)
        e.endedAt = roundsOf(state.counts);
}

void ClassPool::restoreRemoved(const std::string &device, std::int64_t experiment)
{
    if (const auto it = m_students.find(device); it != m_students.end()) {
        it->second.experiments.erase(experiment);
        it->second.removed.insert(experiment);
    }
}

} // namespace nuperako::pool
