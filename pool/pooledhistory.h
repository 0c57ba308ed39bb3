// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/tallyrows.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace nuperako::pool {

// The class's pooled tally at one moment: its rounds and its three totals (draws, wins alone, losses alone).
struct HistoryPoint {
    std::int64_t rounds = 0;
    std::array<std::int64_t, kResultKinds.size()> totals{}; // by ResultKind
    [[nodiscard]] double share(ResultKind k) const;
    friend bool operator==(const HistoryPoint &, const HistoryPoint &) = default;
};

// The class's pooled tally as it grew, for the curves of the class's ratios.
// A lesson of forty students brings tens of thousands of points; a curve needs
// no more than a screen's width of them, so the history keeps at most
// kMostPoints, evenly spread over the rounds: past that, every other one goes
// and the spacing doubles. The newest point is always kept as it is.
class PooledHistory {
public:
    static constexpr std::size_t kMostPoints = 1024;

    // The pool as it stands now. False when it is the newest point already.
    bool record(const HistoryPoint &now);

    [[nodiscard]] const std::vector<HistoryPoint> &points() const { return m_points; }

private:
    void thin();

    std::vector<HistoryPoint> m_points;
    std::int64_t m_spacing = 1; // in rounds, between the points kept before the newest
};

} // namespace nuperako::pool
