// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/funnel.h"
#include "pool/pooledhistory.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace nuperako {
class DrawingSurface;
}

namespace nuperako::pool {

// Both pictures' user coordinates, whatever their size in pixels.
inline constexpr float kClassPictureWidth = 1000;
inline constexpr float kClassPictureHeight = 600;

struct PicturePoint {
    float x = 0;
    float y = 0;
};

// Round values for the marks of a scale from 0 to most rounds: steps of 1, 2 or
// 5 times a power of ten, as many as fit in at most maxTicks.
[[nodiscard]] std::vector<std::int64_t> roundTicks(std::int64_t most, int maxTicks = 5);

// Where a share after so many rounds stands in the graph of the class's ratios,
// when the class has played most rounds so far.
[[nodiscard]] PicturePoint pooledGraphPlace(std::int64_t most, std::int64_t rounds, double share);
// The class's three ratios against its rounds so far, the scale ending at the
// newest point's rounds so that the curves always fill the width.
void drawPooledGraph(const std::vector<HistoryPoint> &history, DrawingSurface &surface);

// Where a dot of the funnel stands: rounds on a scale of tens (1, 10, 100, ... up
// to past the class's rounds), the share upwards from 0 to 1.
[[nodiscard]] PicturePoint funnelPlace(const Funnel &funnel, std::int64_t rounds, double share);
// The funnel's curves, the one-third line, every experiment's dot and the class's
// larger one; the selected experiment (an index into dots) ringed.
void drawFunnel(const Funnel &funnel, std::optional<std::size_t> selected, DrawingSurface &surface);
// The experiment's dot within reach of a point (the nearest), if any; the class's dot is not one.
[[nodiscard]] std::optional<std::size_t> dotNear(const Funnel &funnel, PicturePoint at, float reachX, float reachY);

} // namespace nuperako::pool
