// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "mainwindow/boardmodel.h"

#include <array>
#include <optional>

namespace nuperako::web {

// When each running timer of the board ticks, on the page's clock in
// milliseconds: a timer started at t ticks at t + interval, t + 2 interval, ...
// A browser throttles the timers of a page that is not in front, so the page
// wakes late; advance() then plays every tick that has fallen due, earliest
// first, so automatic play keeps two rounds a second whatever the browser does.
class TickSchedule {
public:
    explicit TickSchedule(BoardModel &model) : m_model(model) {}

    // After an event at now: timers started since tick one interval later, stopped ones no more.
    void update(double now);
    // Every tick due by now, in time order; a timer a tick starts again counts from that tick.
    void advance(double now);
    // When the next tick falls due; none while no timer runs.
    [[nodiscard]] std::optional<double> nextDue() const;

private:
    // The timer whose tick is due first; any timer while none runs.
    [[nodiscard]] std::size_t earliest() const;

    BoardModel &m_model;
    std::array<unsigned, kTimerCount> m_starts{};
    std::array<std::optional<double>, kTimerCount> m_due{};
};

} // namespace nuperako::web
