// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "clock.h"

namespace nuperako {

// A clock that always reads the same time of day: reproducible reseeds.
class FixedClock final : public Clock {
public:
    explicit FixedClock(float seconds = 43200.0F) : m_seconds(seconds) {}
    float secondsSinceMidnight() override { return m_seconds; }

private:
    float m_seconds;
};

} // namespace nuperako
