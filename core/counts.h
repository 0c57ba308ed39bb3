// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/module1.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nuperako {

// The nine counts in the order the board's tally shows them, top to bottom.
enum class Count { Aiko, A1Kati, B1Kati, C1Kati, Abc1Kati, A1Make, B1Make, C1Make, Abc1Make };
inline constexpr std::size_t kCountCount = 9;
// Their names as the board's variables have them: the columns of the class's
// database and of the CSV files.
inline constexpr std::array<std::string_view, kCountCount> kCountNames{
    "aiko", "a1kati", "b1kati", "c1kati", "abc1kati", "a1make", "b1make", "c1make", "abc1make"};

constexpr std::size_t index(Count c)
{
    return static_cast<std::size_t>(c);
}

// The nine counts, indexed by Count.
struct Counts {
    std::array<std::int16_t, kCountCount> values{};

    [[nodiscard]] constexpr std::int16_t operator[](Count c) const { return values[index(c)]; }
};

// The rounds of a tally, and whether it has reached the end rule.
constexpr int roundsOf(const Counts &c)
{
    return roundsOf(c[Count::Aiko], c[Count::Abc1Kati], c[Count::Abc1Make]);
}
constexpr bool reachesEnd(const Counts &c)
{
    return reachesEnd(c[Count::Aiko], c[Count::Abc1Kati], c[Count::Abc1Make]);
}

} // namespace nuperako
