// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/clock.h"

namespace nuperako {

class SystemClock final : public Clock {
public:
    float secondsSinceMidnight() override;
};

} // namespace nuperako
