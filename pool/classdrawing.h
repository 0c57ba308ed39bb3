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
// Dots drawn apart from the others, as indices into the funnel's dots: ringed (the
// experiment the teacher has chosen, a student's own earlier ones), and a student's
// current experiment, ringed, larger and named "あなた".
struct FunnelMarks {
    std::vector<std::size_t> ringed;
    std::optional<std::size_t> yours;
    // The teacher's chosen dot, if any, ringed.
    static FunnelMarks chosen(std::optional<std::size_t> dot)
    {
        return {dot ? std::vector{*dot} : std::vector<std::size_t>{}, std::nullopt};
    }
};
// The funnel's curves, the one-third line, every experiment's dot and the class's
// larger one, the marked dots over them.
void drawFunnel(const Funnel &funnel, const FunnelMarks &marks, DrawingSurface &surface);
// The experiment's dot within reach of a point (the nearest), if any; the class's dot is not one.
[[nodiscard]] std::optional<std::size_t> dotNear(const Funnel &funnel, PicturePoint at, float reachX, float reachY);

} // namespace nuperako::pool
