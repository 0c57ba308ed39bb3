// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/usageerror.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuperako::batch {

// What the batch tool was asked to do.
struct BatchOptions {
    long runs = 1;
    std::optional<int> rounds;         // rounds per run; none: until a total reaches 999
    std::optional<std::uint64_t> seed; // none: a seed from the clock, printed
    bool csv = false;
    std::string plotFile; // empty: no plot
    int threads = 0;      // 0: one per core
    bool help = false;
};

inline constexpr long kMaxRuns = 1'000'000;
inline constexpr int kMaxRounds = 32'767; // the rounds a 16-bit tally can count
inline constexpr int kMaxThreads = 256;

// Parses the arguments after the program name; throws UsageError.
BatchOptions parseOptions(const std::vector<std::string_view> &args);

// The --help text, in Japanese and English.
std::string helpText();

} // namespace nuperako::batch
