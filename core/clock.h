// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako {

// The time of day the generator is reseeded from.
class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day in seconds since midnight.
    virtual float secondsSinceMidnight() = 0;
};

} // namespace nuperako
