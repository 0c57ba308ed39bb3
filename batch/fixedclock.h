// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/clock.h"

namespace nuperako::batch {

// A clock that always reads the same time of day: a run's rounds then depend
// on its seed alone.
class FixedClock final : public Clock {
public:
    explicit FixedClock(float seconds) : m_seconds(seconds) {}
    float secondsSinceMidnight() override { return m_seconds; }

private:
    float m_seconds;
};

} // namespace nuperako::batch
