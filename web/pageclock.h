// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/clock.h"

// The one function the page gives the module: the browser's local time of day.
extern "C" __attribute__((import_module("env"), import_name("seconds_since_midnight"))) float
nuperako_seconds_since_midnight();

namespace nuperako::web {

// The time of day in seconds since local midnight, from the browser's clock.
class PageClock final : public Clock {
public:
    float secondsSinceMidnight() override { return nuperako_seconds_since_midnight(); }
};

} // namespace nuperako::web
