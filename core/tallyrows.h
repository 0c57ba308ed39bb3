// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"
#include "core/palette.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nuperako {

// The tally's nine rows as every view shows them, top to bottom: the board,
// the class's window and the browser page.
struct TallyRow {
    std::string_view caption;
    std::optional<Rgb> color; // none: the default text colour
    bool italic;              // the three totals
};
inline constexpr std::array<TallyRow, kCountCount> kTallyRows{{
    {"あいこ", std::nullopt, true},
    {"Ａ一人勝ち", kWinColor, false},
    {"Ｂ一人勝ち", kWinColor, false},
    {"Ｃ一人勝ち", kWinColor, false},
    {"一人勝ち", std::nullopt, true},
    {"Ａ一人負け", kLoseColor, false},
    {"Ｂ一人負け", kLoseColor, false},
    {"Ｃ一人負け", kLoseColor, false},
    {"一人負け", std::nullopt, true},
}};

// The tally's columns after the rows' captions.
inline constexpr std::array<std::string_view, 2> kTallyColumns{"回数", "割合"};

// What a screen reader hears before a count's or a ratio's text: "あいこ 回数",
// "あいこ 割合" (column 1 counts, 2 ratios).
std::string cellSpeech(Count c, std::size_t column);

// A round's three kinds of result: each counted by one of the tally's totals,
// named as its row and drawn in its colour wherever the kinds are told apart.
enum class ResultKind { Aiko, OneWins, OneLoses };
inline constexpr std::array kResultKinds{ResultKind::Aiko, ResultKind::OneWins, ResultKind::OneLoses};

constexpr std::size_t index(ResultKind k)
{
    return static_cast<std::size_t>(k);
}

struct ResultKindRow {
    Count total;
    Rgb color;
};
inline constexpr std::array<ResultKindRow, kResultKinds.size()> kResultKindRows{{
    {Count::Aiko, kDrawColor},
    {Count::Abc1Kati, kWinColor},
    {Count::Abc1Make, kLoseColor},
}};

constexpr Count totalOf(ResultKind k)
{
    return kResultKindRows[index(k)].total;
}
constexpr Rgb colorOf(ResultKind k)
{
    return kResultKindRows[index(k)].color;
}
// "あいこ", "一人勝ち", "一人負け": the caption of the kind's total.
constexpr std::string_view nameOf(ResultKind k)
{
    return kTallyRows[index(totalOf(k))].caption;
}

} // namespace nuperako
