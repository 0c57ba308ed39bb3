// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/funnel.h"

#include "core/module1.h"
#include "core/tallytext.h"
#include "pool/seatname.h"

#include <cmath>

namespace nuperako::pool {

namespace {

Count countOf(FunnelKind kind)
{
    switch (kind) {
    case FunnelKind::Aiko: return Count::Aiko;
    case FunnelKind::OneWins: return Count::Abc1Kati;
    case FunnelKind::OneLoses: return Count::Abc1Make;
    }
    return Count::Aiko;
}

std::string dotLabel(const std::string &name, std::int64_t rounds, FunnelKind kind, double share)
{
    return name + "　" + std::to_string(rounds) + "回　" + std::string(kindName(kind)) + " " + ratioText(share);
}

} // namespace

std::string_view kindName(FunnelKind kind)
{
    switch (kind) {
    case FunnelKind::Aiko: return "あいこ";
    case FunnelKind::OneWins: return "一人勝ち";
    case FunnelKind::OneLoses: return "一人負け";
    }
    return {};
}

Rgb kindColor(FunnelKind kind)
{
    switch (kind) {
    case FunnelKind::Aiko: return kDrawColor;
    case FunnelKind::OneWins: return kWinColor;
    case FunnelKind::OneLoses: return kLoseColor;
    }
    return kBlack;
}

double funnelHalfWidth(double rounds)
{
    return 2 * std::sqrt((1.0 / 3) * (2.0 / 3) / rounds);
}

std::string experimentName(const PooledExperiment &e, bool hideNames)
{
    const std::string seat = hideNames ? defaultSeatName(e.number) : e.seat;
    return seat + "　実験" + std::to_string(e.experiment);
}

Funnel makeFunnel(const PoolSummary &summary, FunnelKind kind, bool hideNames)
{
    Funnel f{kind, {}, {}};
    const Count count = countOf(kind);
    for (const PooledExperiment &e : summary.experiments) {
        const int rounds = roundsOf(e.state.counts);
        if (rounds == 0)
            continue;
        const double share = ratio(e.state.counts[count], rounds);
        f.dots.push_back(
            {rounds, share, e.number, e.experiment, dotLabel(experimentName(e, hideNames), rounds, kind, share)});
    }
    const double share = summary.tally.ratio(count);
    f.pooled = {summary.tally.rounds, share, 0, 0, dotLabel("クラス全体", summary.tally.rounds, kind, share)};
    return f;
}

} // namespace nuperako::pool
