// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/funnel.h"

#include "core/module1.h"
#include "core/tallytext.h"
#include "pool/seatname.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace nuperako::pool {

namespace {

std::string dotLabel(const std::string &name, std::int64_t rounds, ResultKind kind, double share)
{
    return name + "　" + std::to_string(rounds) + "回　" + std::string(nameOf(kind)) + " " + ratioText(share);
}

// A count with its thousands marked, as a person reads it: "4,210".
std::string groupedCount(std::int64_t n)
{
    std::string digits = std::to_string(n);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// "150回 あいこ 0.413"
std::string spokenShare(const FunnelDot &d, ResultKind kind)
{
    std::array<char, 16> share{};
    std::snprintf(share.data(), share.size(), "%.3f", d.share);
    return groupedCount(d.rounds) + "回 " + std::string(nameOf(kind)) + " " + share.data();
}

std::int64_t countInside(const Funnel &f)
{
    return std::count_if(f.dots.begin(), f.dots.end(), insideBand);
}

} // namespace

double funnelHalfWidth(double rounds)
{
    return 2 * std::sqrt((1.0 / 3) * (2.0 / 3) / rounds);
}

bool insideBand(const FunnelDot &d)
{
    return std::abs(d.share - 1.0 / 3) <= funnelHalfWidth(static_cast<double>(d.rounds));
}

std::string bandText(const Funnel &f)
{
    if (f.dots.empty())
        return {};
    const std::int64_t inside = countInside(f);
    const auto all = static_cast<std::int64_t>(f.dots.size());
    const long percent = std::lround(100.0 * static_cast<double>(inside) / static_cast<double>(all));
    return "帯の中 " + std::to_string(inside) + " / " + std::to_string(all) + " 実験 (" + std::to_string(percent) +
           " %)";
}

std::string funnelSpeech(const Funnel &f, std::optional<std::size_t> yours)
{
    std::string speech;
    if (yours && *yours < f.dots.size())
        speech = "あなたの実験: " + spokenShare(f.dots[*yours], f.kind) + "、";
    speech += "クラス全体: " + spokenShare(f.pooled, f.kind);
    if (!f.dots.empty())
        speech += "、帯の中 " + std::to_string(countInside(f)) + " / " + std::to_string(f.dots.size());
    return speech;
}

std::string experimentName(const PooledExperiment &e, bool hideNames)
{
    const std::string seat = hideNames ? defaultSeatName(e.number) : e.seat;
    return seat + "　実験" + std::to_string(e.experiment);
}

Funnel makeFunnel(const PoolSummary &summary, ResultKind kind, bool hideNames)
{
    Funnel f{kind, {}, {}};
    const Count count = totalOf(kind);
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
