// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

// The board's variables keep their romanised Japanese names:
//   aiko    a draw                  kati    a win        make    a loss
//   ritu    a ratio                 kaisuu  rounds played
//   hyouji  the shown (shuffled) hand
//   ransuu  a drawn random hand     te      a hand's name
//   hanntei a player's result       kotae   an answer
//   jidou   automatic play          owari   the end
// a1, b1, c1 name one player alone, abc1 any one player alone.

#include <cstdint>
#include <string_view>

namespace nuperako {

// The answers to the exit question, as a message box gives them.
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
// The question's buttons.
inline constexpr std::string_view kAnswerYesCaption = "Yes";
inline constexpr std::string_view kAnswerNoCaption = "No";

// The main window's own variables; only the board touches them.
struct BoardVariables {
    double kotae = 0;         // answer of the exit question, kAnswerYes or kAnswerNo
    std::int16_t hyouji1 = 0; // hand code each player's next shuffle tick shows
    std::int16_t hyouji2 = 0;
    std::int16_t hyouji3 = 0;
    std::int16_t jidou = 0;   // 1 while automatic play is on
    std::int16_t ransuu1 = 0; // hand codes drawn in the latest round
    std::int16_t ransuu2 = 0;
    std::int16_t ransuu3 = 0;
    std::int16_t a1kati = 0;
    std::int16_t b1kati = 0;
    std::int16_t c1kati = 0;
    std::int16_t a1make = 0;
    std::int16_t b1make = 0;
    std::int16_t c1make = 0;
    std::string_view te1; // hand names drawn in the latest round
    std::string_view te2;
    std::string_view te3;
};

} // namespace nuperako
