// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/judgement.h"

#include "core/failure.h"

#include <algorithm>
#include <stdexcept>

namespace nuperako {

namespace {

struct Row {
    Hand a, b, c;
    Outcome outcome;
    std::array<Result, 3> results; // cppcheck-suppress unusedStructMember
};

using enum Hand;
using enum Outcome;
constexpr Result draw = Result::Aiko;
constexpr Result wins = Result::Kati;
constexpr Result loses = Result::Make;

// The rules: every combination of the three hands once, in their order.
constexpr std::array<Row, 27> kRows{{
    {Guu, Guu, Guu, Aiko, {draw, draw, draw}},     // 1
    {Pii, Pii, Pii, Aiko, {draw, draw, draw}},     // 2
    {Paa, Paa, Paa, Aiko, {draw, draw, draw}},     // 3
    {Guu, Pii, Paa, Aiko, {draw, draw, draw}},     // 4
    {Guu, Paa, Pii, Aiko, {draw, draw, draw}},     // 5
    {Pii, Paa, Guu, Aiko, {draw, draw, draw}},     // 6
    {Pii, Guu, Paa, Aiko, {draw, draw, draw}},     // 7
    {Paa, Guu, Pii, Aiko, {draw, draw, draw}},     // 8
    {Paa, Pii, Guu, Aiko, {draw, draw, draw}},     // 9
    {Guu, Pii, Pii, A1Kati, {wins, loses, loses}}, // 10
    {Pii, Paa, Paa, A1Kati, {wins, loses, loses}}, // 11
    {Paa, Guu, Guu, A1Kati, {wins, loses, loses}}, // 12
    {Pii, Guu, Pii, B1Kati, {loses, wins, loses}}, // 13
    {Paa, Pii, Paa, B1Kati, {loses, wins, loses}}, // 14
    {Guu, Paa, Guu, B1Kati, {loses, wins, loses}}, // 15
    {Pii, Pii, Guu, C1Kati, {loses, loses, wins}}, // 16
    {Paa, Paa, Pii, C1Kati, {loses, loses, wins}}, // 17
    {Guu, Guu, Paa, C1Kati, {loses, loses, wins}}, // 18
    {Guu, Paa, Paa, A1Make, {loses, wins, wins}},  // 19
    {Pii, Guu, Guu, A1Make, {loses, wins, wins}},  // 20
    {Paa, Pii, Pii, A1Make, {loses, wins, wins}},  // 21
    {Paa, Guu, Paa, B1Make, {wins, loses, wins}},  // 22
    {Guu, Pii, Guu, B1Make, {wins, loses, wins}},  // 23
    {Pii, Paa, Pii, B1Make, {wins, loses, wins}},  // 24
    {Paa, Paa, Guu, C1Make, {wins, wins, loses}},  // 25
    {Guu, Guu, Pii, C1Make, {wins, wins, loses}},  // 26
    {Pii, Pii, Paa, C1Make, {wins, wins, loses}},  // 27
}};

} // namespace

Judgement judge(Hand a, Hand b, Hand c)
{
    // Not std::ranges: the browser build's libc++ 14 has no ranges::find_if.
    const auto *const row =
        std::find_if(kRows.begin(), kRows.end(), [&](const Row &r) { return r.a == a && r.b == b && r.c == c; });
    if (row == kRows.end())
        fail<std::invalid_argument>("not three hands");
    return {row->outcome, row->results};
}

} // namespace nuperako
