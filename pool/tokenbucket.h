// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>

namespace nuperako::pool {

// Allows a steady rate of events with a burst: each event takes a token, and
// tokens come back at the rate, up to the burst. Times in milliseconds.
class TokenBucket {
public:
    TokenBucket(double perSecond, double burst) : m_perMs(perSecond / 1000.0), m_burst(burst), m_tokens(burst) {}

    // Whether an event at nowMs is within the allowance; if so, it is counted.
    bool take(std::int64_t nowMs)
    {
        refill(nowMs);
        if (m_tokens < 1.0)
            return false;
        m_tokens -= 1.0;
        return true;
    }
    // Whether the allowance is whole again at nowMs, as if nothing had happened.
    bool isFull(std::int64_t nowMs)
    {
        refill(nowMs);
        return m_tokens >= m_burst;
    }

private:
    void refill(std::int64_t nowMs)
    {
        if (m_lastMs)
            m_tokens = std::min(m_burst, m_tokens + static_cast<double>(nowMs - m_lastMs) * m_perMs);
        m_lastMs = nowMs;
    }

    double m_perMs;
    double m_burst;
    double m_tokens;
    std::int64_t m_lastMs = 0;
};

} // namespace nuperako::pool
