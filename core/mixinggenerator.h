// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/randomsource.h"

#include <cstdint>

namespace nuperako {

// SplitMix64 whose reseed folds the seed into the running state, so that
// draws after reseeds with the same clock value stay independent.
class MixingGenerator final : public RandomSource {
public:
    explicit MixingGenerator(std::uint64_t state = 0x6a09e667f3bcc909ULL) : m_state(state) {}

    void reseed(float seed) override;
    float next() override;

private:
    std::uint64_t m_state;
};

} // namespace nuperako
