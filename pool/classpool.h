// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/experimentstate.h"
#include "pool/poolsummary.h"
#include "pool/statemessage.h"
#include "pool/verdict.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace nuperako::pool {

// A student of the class: one device (one tab of a browser), its seat and its experiments.
struct Student {
    struct Experiment {
        ExperimentState state;
        std::optional<int> endedAt; // the rounds of the first ended state seen
    };
    std::string seat;
    int number = 0;            // the order of joining, from 1
    std::int64_t joinedMs = 0; // when the device first joined, on the wall clock
    int connections = 0;
    std::map<std::int64_t, Experiment> experiments; // by the page's experiment number
    std::set<std::int64_t> removed;                 // taken out of the class by the teacher
};

// The rules of one class: who has joined, and the newest state of every
// experiment, kept by sequence number so that a repeated, reordered or lost
// message can never corrupt the pool. Times are milliseconds on the wall clock.
class ClassPool {
public:
    static constexpr std::size_t kMaxStudents = 1000;
    static constexpr std::size_t kMaxExperimentsPerStudent = 1000;

    explicit ClassPool(std::string code);

    [[nodiscard]] const std::string &code() const { return m_code; }

    // A device's page joins (again): a new device takes the next seat, "1番",
    // "2番", ... Null when the class has no room for another student.
    const Student *join(const std::string &device, std::int64_t nowMs);
    // One of the device's connections has closed.
    void leave(const std::string &device);

    // A state of one of the device's experiments. Accepted: it is that experiment's
    // newest state now. Stale: the newer state stands. Anything else: refused, nothing kept.
    Verdict offer(const std::string &device, const StateMessage &message, std::int64_t nowMs);
    // The student's own name for the seat: 1 to 12 characters, spaces at the ends dropped.
    Verdict rename(const std::string &device, std::string_view name);

    // Takes an experiment out of the class for good (a prankster's, a test run): its
    // rounds leave the pool and any later state of it is Removed. The device of the
    // student who played it; null if the student has no such experiment.
    const std::string *remove(int student, std::int64_t experiment);

    [[nodiscard]] const Student *student(const std::string &device) const;
    // The newest state kept of the device's experiment, if any.
    [[nodiscard]] const ExperimentState *newestState(const std::string &device, std::int64_t experiment) const;
    [[nodiscard]] PoolSummary summary() const;
    // The summary's tally alone, without copying the experiments.
    [[nodiscard]] PooledTally tally() const;

    // What the database kept, taken as it stands.
    void restoreStudent(const std::string &device, std::string seat, int number, std::int64_t joinedMs);
    void restoreExperiment(const std::string &device, std::int64_t experiment, const ExperimentState &state);
    void restoreRemoved(const std::string &device, std::int64_t experiment);

private:
    std::string m_code;
    std::map<std::string, Student, std::less<>> m_students; // by device id
};

// A device id as a page makes it: 16 to 64 letters, digits, '-' or '_'.
bool isDeviceId(std::string_view id);

} // namespace nuperako::pool
