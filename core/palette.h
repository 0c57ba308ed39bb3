// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace nuperako {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The classic 16-colour palette, by index.
constexpr Rgb paletteColor(std::size_t index)
{
    constexpr std::array<Rgb, 16> kColors{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    return kColors.at(index);
}

// The colours of the axes and of a round's three kinds of result, on the board and in the graph.
inline constexpr Rgb kBlack = paletteColor(0);
inline constexpr Rgb kDrawColor = paletteColor(2);  // green
inline constexpr Rgb kWinColor = paletteColor(9);   // light blue
inline constexpr Rgb kLoseColor = paletteColor(12); // light red

} // namespace nuperako
