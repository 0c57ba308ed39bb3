// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/overview.h"

#include "pool/protocol.h"

#include <algorithm>

namespace nuperako::pool {

Overview overviewOf(const PoolSummary &summary, const std::vector<HistoryPoint> &history, bool revealed)
{
    Overview o{revealed, {}, {}};
    if (!revealed)
        return o;
    for (const PooledExperiment &e : summary.experiments) {
        const Counts &c = e.state.counts;
        if (const int rounds = roundsOf(c); rounds > 0)
            o.dots.push_back({rounds, c[totalOf(ResultKind::Aiko)], c[totalOf(ResultKind::OneWins)]});
    }
    // Evenly spread over the points kept, the first and the newest among them.
    const std::size_t n = history.size();
    const std::size_t kept = std::min(n, protocol::kOverviewPoints);
    for (std::size_t i = 0; i < kept; ++i) {
        const HistoryPoint &p = history[kept == 1 ? n - 1 : i * (n - 1) / (kept - 1)];
        o.history.push_back({p.rounds, p.totals[index(ResultKind::Aiko)], p.totals[index(ResultKind::OneWins)]});
    }
    return o;
}

} // namespace nuperako::pool
