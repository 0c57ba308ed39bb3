// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
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

// The name the judgement compares: "guu", "pii" or "paa"; empty for any other code.
constexpr std::string_view handName(int code)
{
    switch (code) {
    case kGuu: return "guu";
    case kPii: return "pii";
    case kPaa: return "paa";
    default: return {};
    }
}

} // namespace nuperako
