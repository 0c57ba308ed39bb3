// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/clock.h"
#include "core/randomsource.h"

#include <deque>
#include <stdexcept>

namespace nuperako::test {

// A clock that reads a time of day set by the test.
class FrozenClock final : public Clock {
public:
    explicit FrozenClock(float seconds = 43200.0F) : seconds(seconds) {}
    float secondsSinceMidnight() override { return seconds; }
    float seconds;
};

// Hands chosen by the test: each queued hand code is turned into the uniform
// number that draws it. Drawing past the end of the script is a test error.
class ScriptedHands final : public RandomSource {
public:
    void push(int a, int b, int c) { m_codes.insert(m_codes.end(), {a, b, c}); }
    void reseed(float seed) override
    {
        lastSeed = seed;
        ++reseeds;
    }
    float next() override
    {
        if (m_codes.empty())
            throw std::logic_error("no scripted hand left");
        const int code = m_codes.front();
        m_codes.pop_front();
        return (static_cast<float>(code) - 1.0F) / 3.0F + 0.1F;
    }
    [[nodiscard]] bool empty() const { return m_codes.empty(); }

    float lastSeed = 0;
    int reseeds = 0;

private:
    std::deque<int> m_codes;
};

} // namespace nuperako::test
