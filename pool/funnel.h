// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/tallyrows.h"
#include "pool/poolsummary.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuperako::pool {

// Half the width of the funnel after n rounds: two standard deviations of a
// share whose chance is one third, 2·√((1/3)(2/3)/n).
[[nodiscard]] double funnelHalfWidth(double rounds);

// One experiment, or the whole class, at its rounds and its share of the kind.
struct FunnelDot {
    std::int64_t rounds = 0;
    double share = 0;
    int student = 0; // the student's number; 0 for the whole class
    std::int64_t experiment = 0;
    std::string label; // what hovering over it says
};

// Every experiment that has a round, and the whole class's point.
struct Funnel {
    ResultKind kind = ResultKind::Aiko; // whose share the dots show
    std::vector<FunnelDot> dots;
    FunnelDot pooled;
};

// Whether the dot lies inside the band 1/3 ± funnelHalfWidth(its rounds), where about 19
// experiments in 20 fall by chance.
[[nodiscard]] bool insideBand(const FunnelDot &d);
// How many experiments lie inside the band, e.g. "帯の中 37 / 40 実験 (93 %)"; empty without any.
[[nodiscard]] std::string bandText(const Funnel &f);
// What a screen reader says of a student's funnel: the student's current experiment (an index
// into dots), if any, the class's and the band's count, e.g. "あなたの実験: 150回 あいこ 0.413、
// クラス全体: 4,210回 あいこ 0.336、帯の中 37 / 40".
[[nodiscard]] std::string funnelSpeech(const Funnel &f, std::optional<std::size_t> yours);

// Names the seats, or with hideNames only the students' numbers ("3番"), for a projector.
[[nodiscard]] Funnel makeFunnel(const PoolSummary &summary, ResultKind kind, bool hideNames);

// The seat and experiment in words, e.g. "3番　実験2", names hidden or not.
[[nodiscard]] std::string experimentName(const PooledExperiment &e, bool hideNames);

} // namespace nuperako::pool
