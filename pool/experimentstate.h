// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"

#include <cstdint>

namespace nuperako::pool {

// One experiment of one student, as the student's page last sent it. The page
// numbers its states; a state with a higher number supersedes one with a lower.
struct ExperimentState {
    std::int64_t seq = 0;
    Counts counts;
    bool ended = false;
};

} // namespace nuperako::pool
