// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"

#include <array>
#include <cstdint>

namespace nuperako::pool {

// A state as a page sent it, before anything of it is believed: the numbers
// are whatever integers the message held.
struct StateMessage {
    std::int64_t experiment = 0; // the page's experiment, counted from 1; a reset starts the next
    std::int64_t seq = 0;
    std::array<std::int64_t, kCountCount> counts{};
    bool ended = false;
    friend bool operator==(const StateMessage &, const StateMessage &) = default;
};

} // namespace nuperako::pool
