// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "randomsource.h"

#include <bit>
#include <cstdint>

namespace nuperako {

// SplitMix64 whose reseed folds the seed into the running state, so that
// draws after reseeds with the same clock value stay independent. Defined
// here so that a round that knows this type inlines every draw.
class MixingGenerator final : public RandomSource {
public:
    explicit MixingGenerator(std::uint64_t state = 0x6a09e667f3bcc909ULL) : m_state(state) {}

    void reseed(float seed) override
    {
        // XOR keeps everything the state already holds; the step in between two
        // reseeds ensures the same seed twice does not cancel out.
        m_state ^= std::uint64_t{std::bit_cast<std::uint32_t>(seed)} * 0xff51afd7ed558ccdULL;
    }

    float next() override
    {
        // The top 24 bits fill a float's mantissa exactly, so the result is < 1.
        return static_cast<float>(step() >> 40) * 0x1.0p-24f;
    }

private:
    std::uint64_t step()
    {
        m_state += 0x9e3779b97f4a7c15ULL;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};

} // namespace nuperako
