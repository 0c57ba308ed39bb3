// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/pooledhistory.h"
#include "pool/poolsummary.h"

#include <array>
#include <cstdint>
#include <vector>

namespace nuperako::pool {

// An experiment's or a moment's rounds, draws and wins alone: its losses alone are the rest.
using KindTotals = std::array<std::int64_t, 3>;

// What every student of a class sees of it once its teacher has revealed it: numbers
// only, the same for every student's page. It names no seat and no student, so a
// page picks out its own experiments by their numbers.
struct Overview {
    bool revealed = false;
    std::vector<KindTotals> dots;    // every experiment with a round, in the pool's order; none unless revealed
    std::vector<KindTotals> history; // at most protocol::kOverviewPoints, evenly spread, the newest last
};

[[nodiscard]] Overview overviewOf(const PoolSummary &summary, const std::vector<HistoryPoint> &history, bool revealed);

} // namespace nuperako::pool
