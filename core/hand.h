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

constexpr std::size_t index(Player p)
{
    return static_cast<std::size_t>(p);
}

// The hands by their codes as drawn and shown: 1 rock, 2 scissors, 3 paper.
enum class Hand : std::int16_t { Guu = 1, Pii = 2, Paa = 3 };
inline constexpr std::array<Hand, 3> kHands{Hand::Guu, Hand::Pii, Hand::Paa};

constexpr std::int16_t code(Hand hand)
{
    return static_cast<std::int16_t>(hand);
}

// The name a drawn hand is stored under: "guu", "pii" or "paa".
constexpr std::string_view handName(Hand hand)
{
    constexpr std::array<std::string_view, 3> kNames{"guu", "pii", "paa"};
    return kNames[static_cast<std::size_t>(code(hand) - 1)]; // a Hand is always 1, 2 or 3
}

} // namespace nuperako
