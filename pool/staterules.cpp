// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/staterules.h"

#include "core/module1.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace nuperako::pool {

namespace {

constexpr std::int64_t kMaxCount = kEndTotal + 1;
constexpr int kRoundsAfterEnd = 1;

} // namespace

Verdict readState(const StateMessage &message, ExperimentState &state)
{
    if (message.experiment < 1 || message.experiment > kMaxExperiment || message.seq < 1 || message.seq > kMaxSeq)
        return Verdict::BadNumber;
    for (const std::int64_t n : message.counts) {
        if (n < 0)
            return Verdict::Negative;
        if (n > kMaxCount)
            return Verdict::BeyondEnd;
    }
    Counts counts;
    std::ranges::transform(message.counts, counts.values.begin(),
                           [](std::int64_t n) { return static_cast<std::int16_t>(n); });
    if (counts[Count::A1Kati] + counts[Count::B1Kati] + counts[Count::C1Kati] != counts[Count::Abc1Kati] ||
        counts[Count::A1Make] + counts[Count::B1Make] + counts[Count::C1Make] != counts[Count::Abc1Make])
        return Verdict::Inconsistent;
    if (roundsOf(counts) == 0)
        return Verdict::Empty;
    const std::array totals{Count::Aiko, Count::Abc1Kati, Count::Abc1Make};
    const int beyond = std::accumulate(totals.begin(), totals.end(), 0, [&](int sum, Count total) {
        return sum + std::max(0, counts[total] - (kEndTotal - 1));
    });
    if (beyond > 1 + kRoundsAfterEnd)
        return Verdict::BeyondEnd;
    if (message.ended != reachesEnd(counts))
        return Verdict::WrongEnd;
    state = {message.seq, counts, message.ended};
    return Verdict::Accepted;
}

Verdict follows(const ExperimentState &last, const ExperimentState &next, int endedAt)
{
    if (next.seq <= last.seq)
        return Verdict::Stale;
    for (std::size_t c = 0; c < kCountCount; ++c) {
        if (next.counts.values[c] < last.counts.values[c])
            return Verdict::Shrinking;
    }
    if (last.ended && roundsOf(next.counts) > endedAt + kRoundsAfterEnd)
        return Verdict::PlayedOn;
    return Verdict::Accepted;
}

} // namespace nuperako::pool
