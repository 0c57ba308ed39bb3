// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/hand.h"

#include <array>

namespace nuperako {

// The seven ways a round can end; each names the count the tally increases.
enum class Outcome { Aiko, A1Kati, B1Kati, C1Kati, A1Make, B1Make, C1Make };

// A player's result as shown under the picture.
enum class Result { Aiko, Kati, Make };

struct Judgement {
    Outcome outcome;
    std::array<Result, 3> results; // for A, B, C
};

// Judges the hands of A, B and C by the 27 combinations of the rules.
Judgement judge(Hand a, Hand b, Hand c);

} // namespace nuperako
