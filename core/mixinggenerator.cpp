// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/mixinggenerator.h"

#include "core/splitmix64.h"

#include <bit>

namespace nuperako {

void MixingGenerator::reseed(float seed)
{
    // XOR keeps everything the state already holds; the step in between two
    // reseeds ensures the same seed twice does not cancel out.
    m_state ^= std::uint64_t{std::bit_cast<std::uint32_t>(seed)} * 0xff51afd7ed558ccdULL;
}

float MixingGenerator::next()
{
    m_state += kGoldenGamma;
    // The top 24 bits fill a float's mantissa exactly, so the result is < 1.
    return static_cast<float>(splitMix64(m_state) >> 40) * 0x1.0p-24f;
}

} // namespace nuperako
