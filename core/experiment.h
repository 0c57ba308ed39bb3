// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "hand.h"
#include "judgement.h"

#include <array>
#include <cstdint>
#include <optional>

namespace nuperako {

class Clock;
class RandomSource;
struct Form1State;
struct Module1;

// The rounds of one experiment, as separate steps so that the main window can
// show each result as soon as it exists. A round calls, in this order:
// drawHand(A), drawHand(B), drawHand(C), judge(), tally(), ratio() for the
// display, recordHistory(), applyEndRule().
class Experiment {
public:
    Experiment(Module1 &shared, Form1State &vars, RandomSource &random, Clock &clock);

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
    std::optional<Judgement> playRound();

private:
    Module1 &m_shared;
    Form1State &m_vars;
    RandomSource &m_random;
    Clock &m_clock;
    std::array<std::int16_t *, 7> m_counts; // the count each Outcome names, in the enum's order
};

} // namespace nuperako
