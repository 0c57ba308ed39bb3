// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "clock.h"
#include "fixedclock.h"
#include "hand.h"
#include "judgement.h"
#include "mixinggenerator.h"
#include "randomsource.h"

#include <cstdint>
#include <optional>

namespace nuperako {

struct Form1State;
struct Module1;

// The rounds of one experiment, as separate steps so that the main window can
// show each result as soon as it exists. A round calls, in this order:
// drawHand(A), drawHand(B), drawHand(C), judge(), tally(), ratio() for the
// display, recordHistory(), applyEndRule().
//
// Random and TimeSource are the generator and the clock the draws use: the
// interfaces for the board, or concrete final types where the compiler should
// see through every draw (see the aliases below). Both are compiled from this
// one definition.
template <typename Random, typename TimeSource>
class BasicExperiment {
public:
    BasicExperiment(Module1 &shared, Form1State &vars, Random &random, TimeSource &clock);

    // The assignments made at load and by the reset, in their fixed order.
    // Leaves kotae, the drawn hands and the ratio histories alone.
    void initialise();

    // Reseeds from the clock, draws player p's hand and stores its code and name.
    std::int16_t drawHand(Player p);

    // Judges the three stored hand names.
    [[nodiscard]] std::optional<Judgement> judge() const;

    // Adds the round to its count and recomputes both totals from the players' counts.
    void tally(Outcome outcome);

    // Rounds played since the last reset; never stored.
    [[nodiscard]] std::int16_t kaisuu() const;

    // count / kaisuu in double precision.
    [[nodiscard]] double ratio(std::int16_t count) const;

    // Writes the three history elements named by the counts, unless the experiment has ended.
    void recordHistory();

    // Ends the experiment once a total has reached 999; true when it did so (again) now.
    bool applyEndRule();

    // One whole round without any display; nullopt only if no combination matched.
    // Flattened into one piece, so that with a known generator and clock a round
    // keeps its state in registers from the first draw to the end rule.
    [[gnu::flatten]] std::optional<Judgement> playRound();

private:
    Module1 &m_shared;
    Form1State &m_vars;
    Random &m_random;
    TimeSource &m_clock;
};

// The board's experiment: any generator and clock behind their interfaces.
using Experiment = BasicExperiment<RandomSource, Clock>;

// Experiments that repeat from a seed, played many at a time: the generator and
// the fixed clock are known types, so a round runs without an indirect call.
using SeededExperiment = BasicExperiment<MixingGenerator, FixedClock>;

extern template class BasicExperiment<RandomSource, Clock>;
extern template class BasicExperiment<MixingGenerator, FixedClock>;

} // namespace nuperako
