// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako {

// A uniform pseudo-random generator that is reseeded before every draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Mixes seed into the running state; it must not replace that state.
    virtual void reseed(float seed) = 0;
    // A uniform number r with 0 <= r < 1.
    virtual float next() = 0;
};

} // namespace nuperako
