// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace nuperako::pool {

// What the pool made of a page's message.
enum class Verdict {
    Accepted,     // the experiment's newest state now
    Stale,        // an older or repeated state: ignored, the newest one stands
    NotJoined,    // a state before the page joined the class
    BadNumber,    // an experiment or sequence number out of range
    Negative,     // a count below zero
    Empty,        // no round played yet: nothing to pool
    Inconsistent, // the players' wins or losses do not add up to their total
    BeyondEnd,    // more rounds than the end rule allows
    WrongEnd,     // marked ended, or not, against its totals
    Shrinking,    // a count smaller than in an earlier state
    PlayedOn,     // more than the one round an ended experiment may take after its end
    TooFast,      // more rounds than a person or the automatic timer could have played by now: not yet
    TooMany,      // the class or the student has no room for another experiment
    BadSeatName,  // empty, too long, or with control characters
    Removed,      // the teacher has taken the experiment out of the class: its page starts a new one
};

// A state refused for good. One that comes too fast is only early: rounds played while
// the page could not reach the class (opened from its cache, say) are taken once the
// student's time allows them.
[[nodiscard]] constexpr bool isRefusal(Verdict v)
{
    return v != Verdict::Accepted && v != Verdict::Stale && v != Verdict::TooFast && v != Verdict::Removed;
}

// A refusal in a few English words, for a WebSocket close reason or a log.
std::string_view reasonOf(Verdict v);

} // namespace nuperako::pool
