// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include <array>

namespace nuperako {

// The classic 16-colour palette, by index.
inline QColor paletteColor(int index)
{
    static constexpr std::array<QRgb, 16> kColors{
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xc0c0c0,
        0x808080, 0x0000ff, 0x00ff00, 0x00ffff, 0xff0000, 0xff00ff, 0xffff00, 0xffffff,
    };
    return QColor::fromRgb(kColors.at(static_cast<std::size_t>(index)));
}

// The three colours of a round's result, on the board and in the graph.
inline constexpr int kDrawColor = 2;  // green
inline constexpr int kWinColor = 9;   // light blue
inline constexpr int kLoseColor = 12; // light red

} // namespace nuperako
