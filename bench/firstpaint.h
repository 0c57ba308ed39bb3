// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

// Quits the application at a window's first paint and prints how long the
// process took to get there, from the nanosecond timestamp given as argv[1]
// (taken by the launching script just before it started the process), and
// the process's peak resident set size.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long launchedAtNs) : m_launchedAtNs(launchedAtNs) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    long long m_launchedAtNs;
    bool m_done = false;
};
