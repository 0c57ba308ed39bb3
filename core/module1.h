// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

namespace nuperako {

// One ratio history: element k holds the ratio of its outcome as of the last
// round after which that outcome's count equalled k.
using RatioHistory = std::array<float, 1001>;

// The program-wide experiment state: written by the main window, read by the
// graph window. Every run starts from the values below; nothing is saved.
struct Module1 {
    RatioHistory aikoritu{};
    RatioHistory katiritu{};
    RatioHistory makeritu{};
    std::int16_t aiko = 0;
    std::int16_t abc1kati = 0;
    std::int16_t abc1make = 0;
    std::int16_t owari = 0;
};

} // namespace nuperako
