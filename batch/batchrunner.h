// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace nuperako::batch {

// One experiment as the batch saw it.
struct RunResult {
    int rounds = 0;
    Counts counts;
    // The three totals (aiko, abc1kati, abc1make) after every round, for the runs that keep them.
    std::vector<std::array<std::int16_t, 3>> history;

    [[nodiscard]] std::int16_t aiko() const { return counts[Count::Aiko]; }
    [[nodiscard]] std::int16_t abc1kati() const { return counts[Count::Abc1Kati]; }
    [[nodiscard]] std::int16_t abc1make() const { return counts[Count::Abc1Make]; }
};

struct BatchPlan {
    long runs = 1;
    std::optional<int> rounds; // none: until the end rule ends the experiment
    std::uint64_t seed = 0;
    int threads = 1;
    long keptHistories = 0; // the first runs whose rounds are kept
};

// Plays whole experiments through the board's own round: the same draws,
// judgement, tally, histories and end rule. Run i starts its generator from a
// seed made of the batch seed and i, and reseeds before every draw with a fixed
// value instead of the clock, so a run's rounds depend on the seed alone,
// whatever thread plays it.
class BatchRunner {
public:
    static std::uint64_t seedOfRun(std::uint64_t seed, long run);
    static RunResult playRun(std::uint64_t runSeed, std::optional<int> rounds, bool keepHistory);

    // All runs, in run order. progress is called now and then from the calling
    // thread with the number of runs finished.
    static std::vector<RunResult> run(const BatchPlan &plan, const std::function<void(long)> &progress = {});
};

} // namespace nuperako::batch
