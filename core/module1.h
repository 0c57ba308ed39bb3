// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace nuperako {

// A total that reaches this ends the experiment.
inline constexpr std::int16_t kEndTotal = 999;

// Element k of a history holds the ratio of its outcome as of the last round
// after which that outcome's count equalled k. One round may follow the end,
// so a count, and with it an index, reaches kEndTotal + 1 at most.
inline constexpr std::size_t kHistorySize = kEndTotal + 2;
using RatioHistory = std::array<float, kHistorySize>;

// The program-wide experiment state: written by the board, read by the graph.
// Every run starts from the values below; nothing is saved.
struct Module1 {
    RatioHistory aikoritu{};
    RatioHistory katiritu{};
    RatioHistory makeritu{};
    std::int16_t aiko = 0;
    std::int16_t abc1kati = 0;
    std::int16_t abc1make = 0;
    std::int16_t owari = 0;
};

// Rounds played: draws, wins alone and losses alone.
constexpr int roundsOf(int aiko, int oneWins, int oneLoses)
{
    return aiko + oneWins + oneLoses;
}

// The end rule: the experiment ends in the round in which one of its totals reaches kEndTotal.
constexpr bool reachesEnd(int aiko, int oneWins, int oneLoses)
{
    return aiko >= kEndTotal || oneWins >= kEndTotal || oneLoses >= kEndTotal;
}

// Rounds played since the last reset; never stored.
constexpr int kaisuu(const Module1 &m)
{
    return roundsOf(m.aiko, m.abc1kati, m.abc1make);
}

// count / rounds in double precision; 0 before the first round. Wide enough
// for a whole class's pooled counts.
constexpr double ratio(std::int64_t count, std::int64_t rounds)
{
    return rounds > 0 ? static_cast<double>(count) / static_cast<double>(rounds) : 0.0;
}

} // namespace nuperako
