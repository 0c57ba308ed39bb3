// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "web/tickschedule.h"

#include <algorithm>

namespace nuperako::web {

namespace {

double intervalOf(std::size_t t)
{
    return static_cast<double>(kTimerIntervals[t].count());
}

} // namespace

void TickSchedule::update(double now)
{
    for (std::size_t t = 0; t < kTimerCount; ++t) {
        const auto timer = static_cast<BoardTimer>(t);
        if (!m_model.isRunning(timer))
            m_due[t].reset();
        else if (!m_due[t] || m_model.startsOf(timer) != m_starts[t])
            m_due[t] = now + intervalOf(t);
        m_starts[t] = m_model.startsOf(timer);
    }
}

void TickSchedule::advance(double now)
{
    for (;;) {
        const std::size_t next = earliest();
        if (!m_due[next] || *m_due[next] > now)
            return;
        const double at = *m_due[next];
        m_due[next] = at + intervalOf(next);
        m_model.tick(static_cast<BoardTimer>(next));
        update(at);
    }
}

std::optional<double> TickSchedule::nextDue() const
{
    return m_due[earliest()];
}

std::size_t TickSchedule::earliest() const
{
    // Of two ticks due at the same time, the lower timer's comes first.
    const auto *const first =
        std::min_element(m_due.begin(), m_due.end(), [](const auto &a, const auto &b) { return a && (!b || *a < *b); });
    return static_cast<std::size_t>(first - m_due.begin());
}

} // namespace nuperako::web
