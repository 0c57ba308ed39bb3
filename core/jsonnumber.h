// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace nuperako {

// JSON numbers are doubles: integers are exact up to 2^53, and no further.
inline constexpr std::int64_t kLargestExactJsonInteger = std::int64_t{1} << 53;

// A JSON number that is an integer, exactly; none for a fraction or one beyond 2^53.
inline std::optional<std::int64_t> exactJsonInteger(double d)
{
    if (std::trunc(d) != d || std::abs(d) > static_cast<double>(kLargestExactJsonInteger))
        return std::nullopt;
    return static_cast<std::int64_t>(d);
}

} // namespace nuperako
