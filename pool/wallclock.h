// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>

namespace nuperako::pool {

// Milliseconds on the wall clock, as the class's rules count them: a student's
// pace counts from the first join, kept across restarts. Tests script it.
class WallClock {
public:
    virtual ~WallClock() = default;
    [[nodiscard]] virtual std::int64_t nowMs() const = 0;
};

class SystemWallClock final : public WallClock {
public:
    [[nodiscard]] std::int64_t nowMs() const override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    }
};

} // namespace nuperako::pool
