// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "judgement.h"

#include <algorithm>
#include <cstdint>

namespace nuperako {

namespace {

// A hand name packed into one integer; names that are not three characters
// long pack to 0 and match no row.
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

// The names the table compares, in the order they first appear in it, and a
// fourth entry that no packed name equals.
constexpr std::array<std::uint32_t, 4> kNames{kRows[0].a, kRows[1].a, kRows[2].a, 0xFFFFFFFFU};
constexpr std::size_t kNoName = 3;

// The names differ in their middle letter, so that letter alone tells which
// name a packed name can be; one comparison then confirms it. Names are random,
// so this avoids a chain of branches on them that would be mispredicted.
constexpr std::array<std::uint8_t, 256> kNameByMiddleLetter = [] {
    std::array<std::uint8_t, 256> byLetter{};
    byLetter.fill(kNoName);
    for (std::size_t i = 0; i < kNoName; ++i)
        byLetter.at(kNames.at(i) >> 8 & 0xFFU) = static_cast<std::uint8_t>(i);
    return byLetter;
}();

constexpr int nameIndex(std::uint32_t packed)
{
    const std::size_t candidate = kNameByMiddleLetter[packed >> 8 & 0xFFU];
    return kNames[candidate] == packed ? static_cast<int>(candidate) : -1;
}
static_assert(nameIndex(kNames[0]) == 0 && nameIndex(kNames[1]) == 1 && nameIndex(kNames[2]) == 2,
              "the three names differ in their middle letter");

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

// For every combination of three known names, the first row of the table that
// matches it (-1 for none): the scan of the rows in their order, done once at
// compile time, so a round looks its row up instead of scanning.
constexpr std::array<int, 27> firstMatches()
{
    std::array<int, 27> first{};
    first.fill(-1);
    for (std::size_t row = kRows.size(); row-- > 0;) {
        const Row &r = kRows[row];
        const int key = nameIndex(r.a) * 9 + nameIndex(r.b) * 3 + nameIndex(r.c);
        first.at(static_cast<std::size_t>(key)) = static_cast<int>(row); // earlier rows overwrite later ones
    }
    return first;
}
constexpr std::array<int, 27> kFirstMatch = firstMatches();
static_assert(std::find(kFirstMatch.begin(), kFirstMatch.end(), -1) == kFirstMatch.end(),
              "every combination of the three hands has its row");

// The judgement of every combination, taken from its first matching row.
constexpr std::array<Judgement, 27> judgements()
{
    std::array<Judgement, 27> all{};
    for (std::size_t key = 0; key < all.size(); ++key) {
        const Outcome outcome = kRows.at(static_cast<std::size_t>(kFirstMatch.at(key))).outcome;
        all.at(key) = Judgement{outcome, resultsOf(outcome)};
    }
    return all;
}
constexpr std::array<Judgement, 27> kJudgements = judgements();

} // namespace

std::optional<Judgement> judge(std::string_view te1, std::string_view te2, std::string_view te3)
{
    const int a = nameIndex(pack(te1));
    const int b = nameIndex(pack(te2));
    const int c = nameIndex(pack(te3));
    if (a < 0 || b < 0 || c < 0)
        return std::nullopt;
    const auto key = static_cast<std::size_t>(a) * 9 + static_cast<std::size_t>(b) * 3 + static_cast<std::size_t>(c);
    return kJudgements[key];
}

} // namespace nuperako
