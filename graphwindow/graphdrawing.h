// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace nuperako {

class DrawingSurface;
struct Module1;

// The surface's user coordinates: count i at x = 100 + i, ratio r at y = 110 - 100 r.
inline constexpr float kGraphScaleWidth = 1100;
inline constexpr float kGraphScaleHeight = 120;

// The whole graph over whatever the surface shows: the frame with its scales
// and legend, the one-third line, then the draw, win-alone and lose-alone
// curves from the histories, each up to its count.
void drawGraph(const Module1 &shared, DrawingSurface &surface);

// The graph in words, for a screen reader: the three ratios against one third.
std::string graphSummary(const Module1 &shared);

} // namespace nuperako
