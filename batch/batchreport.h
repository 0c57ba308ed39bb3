// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "batch/batchrunner.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nuperako::batch {

// Pearson's chi-square of three observed totals against equal shares, with
// its p-value for two degrees of freedom.
struct GoodnessOfFit {
    double chiSquare = 0;
    double pValue = 1;
};
GoodnessOfFit goodnessOfFit(const std::array<long long, 3> &totals);

// The text for standard output: per run for a few runs, their statistics for
// many, then the goodness of fit of all runs' totals together.
std::string summaryText(const std::vector<RunResult> &results, std::uint64_t seed);

// Comma-separated values: per run, or per round when there is one run.
std::string csvText(const std::vector<RunResult> &results);

} // namespace nuperako::batch
