// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/judgement.h"

#include <algorithm>
#include <stdexcept>

namespace nuperako {

namespace {

struct Row {
    Hand a, b, c;
    Outcome outcome;
    std::array<Result, 3> results;
};

using enum Hand;
using enum Outcome;
constexpr Result draw = Result::Aiko;
constexpr Result wins = Result::Kati;
constexpr Result loses = Result::Make;

// The rules: every combination of the three hands once, in their order.
constexpr std::array<Row, 27> kRows{{
    {Guu, Guu, Guu, Aiko, {draw, draw, draw}},
    {Pii, Pii, Pii, Aiko, {draw, draw, draw}},
    {Paa, Paa, Paa, Aiko, {draw, draw, draw}},
    {Guu, Pii, Paa, Aiko, {draw, draw, draw}},
    {Guu, Paa, Pii, Aiko, {draw, draw, draw}},
    {Pii, Paa, Guu, Aiko, {draw, draw, draw}},
    {Pii, Guu, Paa, Aiko, {draw, draw, draw}},
    {Paa, Guu, Pii, Aiko, {draw, draw, draw}},
    {Paa, Pii, Guu, Aiko, {draw, draw, draw}},
    {Guu, Pii, Pii, A1Kati, {wins, loses, loses}},
    {Pii, Paa, Paa, A1Kati, {wins, loses, loses}},
    {Paa, Guu, Guu, A1Kati, {wins, loses, loses}},
    {Pii, Guu, Pii, B1Kati, {loses, wins, loses}},
    {Paa, Pii, Paa, B1Kati, {loses, wins, loses}},
    {Guu, Paa, Guu, B1Kati, {loses, wins, loses}},
    {Pii, Pii, Guu, C1Kati, {loses, loses, wins}},
    {Paa, Paa, Pii, C1Kati, {loses, loses, wins}},
    {Guu, Guu, Paa, C1Kati, {loses, loses, wins}},
    {Guu, Paa, Paa, A1Make, {loses, wins, wins}},
    {Pii, Guu, Guu, A1Make, {loses, wins, wins}},
    {Paa, Pii, Pii, A1Make, {loses, wins, wins}},
    {Paa, Guu, Paa, B1Make, {wins, loses, wins}},
    {Guu, Pii, Guu, B1Make, {wins, loses, wins}},
    {Pii, Paa, Pii, B1Make, {wins, loses, wins}},
    {Paa, Paa, Guu, C1Make, {wins, wins, loses}},
    {Guu, Guu, Pii, C1Make, {wins, wins, loses}},
    {Pii, Pii, Paa, C1Make, {wins, wins, loses}},
}};

} // namespace

Judgement judge(Hand a, Hand b, Hand c)
{
    const auto row = std::ranges::find_if(kRows, [&](const Row &r) { return r.a == a && r.b == b && r.c == c; });
    if (row == kRows.end())
        throw std::invalid_argument("not three hands");
    return {row->outcome, row->results};
}

} // namespace nuperako
