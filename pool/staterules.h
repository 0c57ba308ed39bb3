// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/jsonnumber.h"
#include "pool/experimentstate.h"
#include "pool/statemessage.h"
#include "pool/verdict.h"

#include <cstdint>

namespace nuperako::pool {

// A page's sequence numbers count up from 1 and never get near the largest a JSON number holds exactly.
inline constexpr std::int64_t kMaxSeq = kLargestExactJsonInteger;
inline constexpr std::int64_t kMaxExperiment = 100'000;

// Reads a message's numbers as a board's tally: every count from 0 to 1000, the
// players' wins and losses adding up to their totals, at least one round, and
// the end as the board applies it. The round in which a total first reaches
// 999 ends the experiment, and after an automatic run one more round can
// follow: so at most two rounds lie beyond 998 in the three totals together,
// and the experiment is ended exactly when one does.
Verdict readState(const StateMessage &message, ExperimentState &state);

// Whether next can follow last in one experiment: no count goes down, and an
// experiment that ended after endedAt rounds gains at most the one further round.
Verdict follows(const ExperimentState &last, const ExperimentState &next, int endedAt);

} // namespace nuperako::pool
