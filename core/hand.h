// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nuperako {

enum class Player { A, B, C };
inline constexpr std::array<Player, 3> kPlayers{Player::A, Player::B, Player::C};

constexpr int index(Player p)
{
    return static_cast<int>(p);
}

// Hand codes as drawn and shown: 1 rock, 2 scissors, 3 paper.
inline constexpr std::int16_t kGuu = 1;
inline constexpr std::int16_t kPii = 2;
inline constexpr std::int16_t kPaa = 3;

constexpr bool isHandCode(int code)
{
    return code >= kGuu && code <= kPaa;
}

// Indexed by hand code; element 0 stands for every code that is not a hand.
inline constexpr std::array<std::string_view, 4> kHandNames{{{}, "guu", "pii", "paa"}};

// The name the judgement compares: "guu", "pii" or "paa"; empty for any other
// code. The names live in static storage, so a view of one never dangles.
constexpr std::string_view handName(int code)
{
    // A lookup rather than a switch: codes are random, so a branch on them would be mispredicted.
    return kHandNames[isHandCode(code) ? static_cast<std::size_t>(code) : 0];
}

} // namespace nuperako
