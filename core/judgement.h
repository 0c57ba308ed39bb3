// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "hand.h"

#include <array>
#include <optional>
#include <string_view>

namespace nuperako {

// The seven ways a round can end; each names the count the tally increases.
enum class Outcome { Aiko, A1Kati, B1Kati, C1Kati, A1Make, B1Make, C1Make };

// A player's result as shown under the picture.
enum class Result { Aiko, Kati, Make };

struct Judgement {
    Outcome outcome;
    std::array<Result, 3> results; // for A, B, C
};

// Judges a round on the three hand names by the 27 combinations, first match
// wins. Names other than "guu", "pii" and "paa" match no row: nullopt.
std::optional<Judgement> judge(std::string_view te1, std::string_view te2, std::string_view te3);

} // namespace nuperako
