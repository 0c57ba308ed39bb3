// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"
#include "pool/experimentstate.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nuperako::pool {

// The class's nine counts together, as the board's tally has them.
struct PooledTally {
    std::array<std::int64_t, kCountCount> counts{};
    std::int64_t rounds = 0;

    void add(const Counts &c);
    [[nodiscard]] std::int64_t operator[](Count c) const { return counts[index(c)]; }
    [[nodiscard]] double ratio(Count c) const;
    // The board's texts: plain digits, and the ratio as "0.000".
    [[nodiscard]] std::string countText(Count c) const;
    [[nodiscard]] std::string ratioText(Count c) const;
};

// One experiment in the pool, with the seat of the student who played it.
struct PooledExperiment {
    std::string seat;
    int number = 0;
    std::int64_t experiment = 0;
    ExperimentState state;
};

// Everything the class has pooled so far.
struct PoolSummary {
    PooledTally tally;
    int connected = 0;                         // students with a page connected now
    std::vector<PooledExperiment> experiments; // by seat number, then experiment

    // The teacher's lines of it: "つながっている生徒　3人", "実験　5", "回数の合計　1234".
    [[nodiscard]] std::array<std::string, 3> headlines() const;
};

} // namespace nuperako::pool
