// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/poolsummary.h"

#include "core/module1.h"
#include "core/tallytext.h"

namespace nuperako::pool {

void PooledTally::add(const Counts &c)
{
    for (std::size_t i = 0; i < kCountCount; ++i)
        counts[i] += c.values[i];
    rounds += roundsOf(c);
}

double PooledTally::ratio(Count c) const
{
    return nuperako::ratio((*this)[c], rounds);
}

std::string PooledTally::countText(Count c) const
{
    return nuperako::countText((*this)[c]);
}

std::string PooledTally::ratioText(Count c) const
{
    return nuperako::ratioText(ratio(c));
}

std::array<std::string, 3> PoolSummary::headlines() const
{
    return {"つながっている生徒　" + std::to_string(connected) + "人", "実験　" + std::to_string(experiments.size()),
            "回数の合計　" + nuperako::countText(tally.rounds)};
}

} // namespace nuperako::pool
