// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "judgement.h"

#include <algorithm>
#include <cstdint>

namespace nuperako {

namespace {

// A hand name packed into one integer, so a row is tested by three integer
// comparisons; names that are not three characters long pack to 0 and match no row.
constexpr std::uint32_t pack(std::string_view name)
{
    if (name.size() != 3)
        return 0;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[2]));
}

struct Row {
    constexpr Row(std::string_view a, std::string_view b, std::string_view c, Outcome o)
        : a(pack(a)), b(pack(b)), c(pack(c)), outcome(o)
    {
    }
    std::uint32_t a, b, c;
    Outcome outcome;
};

// The decision table in its fixed testing order.
constexpr std::array<Row, 27> kRows{{
    {"guu", "guu", "guu", Outcome::Aiko},   {"pii", "pii", "pii", Outcome::Aiko},
    {"paa", "paa", "paa", Outcome::Aiko},   {"guu", "pii", "paa", Outcome::Aiko},
    {"guu", "paa", "pii", Outcome::Aiko},   {"pii", "paa", "guu", Outcome::Aiko},
    {"pii", "guu", "paa", Outcome::Aiko},   {"paa", "guu", "pii", Outcome::Aiko},
    {"paa", "pii", "guu", Outcome::Aiko},   {"guu", "pii", "pii", Outcome::A1Kati},
    {"pii", "paa", "paa", Outcome::A1Kati}, {"paa", "guu", "guu", Outcome::A1Kati},
    {"pii", "guu", "pii", Outcome::B1Kati}, {"paa", "pii", "paa", Outcome::B1Kati},
    {"guu", "paa", "guu", Outcome::B1Kati}, {"pii", "pii", "guu", Outcome::C1Kati},
    {"paa", "paa", "pii", Outcome::C1Kati}, {"guu", "guu", "paa", Outcome::C1Kati},
    {"guu", "paa", "paa", Outcome::A1Make}, {"pii", "guu", "guu", Outcome::A1Make},
    {"paa", "pii", "pii", Outcome::A1Make}, {"paa", "guu", "paa", Outcome::B1Make},
    {"guu", "pii", "guu", Outcome::B1Make}, {"pii", "paa", "pii", Outcome::B1Make},
    {"paa", "paa", "guu", Outcome::C1Make}, {"guu", "guu", "pii", Outcome::C1Make},
    {"pii", "pii", "paa", Outcome::C1Make},
}};

constexpr std::array<Result, 3> resultsOf(Outcome outcome)
{
    using enum Result;
    switch (outcome) {
    case Outcome::Aiko: return {Aiko, Aiko, Aiko};
    case Outcome::A1Kati: return {Kati, Make, Make};
    case Outcome::B1Kati: return {Make, Kati, Make};
    case Outcome::C1Kati: return {Make, Make, Kati};
    case Outcome::A1Make: return {Make, Kati, Kati};
    case Outcome::B1Make: return {Kati, Make, Kati};
    case Outcome::C1Make: return {Kati, Kati, Make};
    }
    return {Aiko, Aiko, Aiko};
}

} // namespace

std::optional<Judgement> judge(std::string_view te1, std::string_view te2, std::string_view te3)
{
    const std::uint32_t a = pack(te1);
    const std::uint32_t b = pack(te2);
    const std::uint32_t c = pack(te3);
    const auto *row =
        std::find_if(kRows.begin(), kRows.end(), [&](const Row &r) { return r.a == a && r.b == b && r.c == c; });
    if (row == kRows.end())
        return std::nullopt;
    return Judgement{row->outcome, resultsOf(row->outcome)};
}

} // namespace nuperako
