// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

namespace nuperako {

// A timer with a fixed interval and an on/off switch. Switched on, it ticks
// one interval later and then every interval; switching it to the state it
// already has changes nothing, so a running timer keeps its phase.
class Timer : public QObject {
    Q_OBJECT

public:
    Timer(std::chrono::milliseconds interval, QObject *parent);

    void setEnabled(bool enabled);
    [[nodiscard]] bool isEnabled() const { return m_timer.isActive(); }
    [[nodiscard]] std::chrono::milliseconds interval() const { return m_timer.intervalAsDuration(); }

signals:
    void tick();

private:
    QTimer m_timer;
};

} // namespace nuperako
