// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace nuperako {

// SplitMix64: a state that advances by the golden gamma, each state mixed by
// the finaliser into an output whose bits are all well spread.
inline constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15ULL;

constexpr std::uint64_t splitMix64(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace nuperako
