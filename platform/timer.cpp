// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/timer.h"

namespace nuperako {

Timer::Timer(std::chrono::milliseconds interval, QObject *parent) : QObject(parent)
{
    // Coarse timers may drift by 5%; the shuffle and the automatic rounds keep their beat.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_timer.isActive())
        return;
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

} // namespace nuperako
