// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/failure.h"

#include <cstdint>
#include <stdexcept>

namespace nuperako {

// 16-bit signed addition that fails instead of wrapping.
inline std::int16_t checkedAdd(std::int16_t a, std::int16_t b)
{
    std::int16_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        fail<std::overflow_error>("16-bit count overflow");
    return sum;
}

} // namespace nuperako
