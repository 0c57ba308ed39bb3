// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"
#include "core/hand.h"
#include "core/judgement.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace nuperako {

class Clock;
class RandomSource;
struct BoardVariables;
struct Module1;

// What one round did, for the board to show.
struct Round {
    std::array<Hand, 3> hands; // drawn for A, B, C
    Judgement judgement;
    bool endedNow; // the end rule applied after this round
};

// The rounds of one experiment, on the program-wide state and the board's
// variables, with hands drawn from a generator that is reseeded from a clock.
class Experiment {
public:
    Experiment(Module1 &shared, BoardVariables &vars, RandomSource &random, Clock &clock);

    // The assignments made at load and by the reset, in their fixed order.
    // Leaves kotae, the drawn hands and the ratio histories alone.
    void initialise();

    // One whole round: draw A, B and C, judge, tally, record the history, apply the end rule.
    Round playRound();

    [[nodiscard]] Counts counts() const;

private:
    // Reseeds from the clock, draws a hand and stores its code and name in the player's variables.
    Hand drawHand(std::int16_t &ransuu, std::string_view &te);
    void tally(Outcome outcome);
    std::int16_t &countOf(Outcome outcome);
    void recordHistory();
    bool applyEndRule();

    Module1 &m_shared;
    BoardVariables &m_vars;
    RandomSource &m_random;
    Clock &m_clock;
};

} // namespace nuperako
