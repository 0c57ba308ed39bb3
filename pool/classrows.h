// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/experimentstate.h"
#include "pool/pooledhistory.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nuperako::pool {

// What the store is to write of one class, together with every other class's
// in one transaction: new and renamed seats, the newest state of every
// experiment that changed, the experiments taken out, and the class's tally at
// the end of its history.
struct ClassRows {
    struct Seat {
        std::string seat;
        int number = 0;
        std::int64_t joinedMs = 0;
    };
    using ExperimentKey = std::pair<std::string, std::int64_t>; // device, experiment

    std::string classCode;
    std::map<std::string, Seat> students; // by device
    std::map<ExperimentKey, ExperimentState> experiments;
    std::vector<ExperimentKey> removals;
    std::vector<HistoryPoint> history; // oldest first
    std::optional<bool> revealed;      // whether the students see the class, when the teacher has changed it

    [[nodiscard]] bool empty() const
    {
        return students.empty() && experiments.empty() && removals.empty() && history.empty() && !revealed;
    }
    void clear() { *this = {classCode, {}, {}, {}, {}, {}}; }
};

} // namespace nuperako::pool
