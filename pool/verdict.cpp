// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/verdict.h"

namespace nuperako::pool {

std::string_view reasonOf(Verdict v)
{
    switch (v) {
    case Verdict::Accepted: return "accepted";
    case Verdict::Stale: return "stale state";
    case Verdict::NotJoined: return "join the class first";
    case Verdict::BadNumber: return "experiment or sequence number out of range";
    case Verdict::Negative: return "negative count";
    case Verdict::Empty: return "no round played";
    case Verdict::Inconsistent: return "counts do not add up";
    case Verdict::BeyondEnd: return "beyond the end of the experiment";
    case Verdict::WrongEnd: return "end flag does not match the counts";
    case Verdict::Shrinking: return "state goes back";
    case Verdict::PlayedOn: return "played on past the end";
    case Verdict::TooFast: return "rounds faster than can be played";
    case Verdict::TooMany: return "no room for more";
    case Verdict::BadSeatName: return "bad seat name";
    case Verdict::Removed: return "removed from the class";
    }
    return "refused";
}

} // namespace nuperako::pool
