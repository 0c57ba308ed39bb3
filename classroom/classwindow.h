// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"

#include <QTimer>
#include <QWidget>

#include <array>

class QLabel;

namespace nuperako::classroom {

class ClassServer;

// The teacher's window: the class's code and the students' address, who is
// connected, and the class's nine counts and ratios as the board shows one
// student's. It shows what the server's pool holds, at most five times a second.
class ClassWindow : public QWidget {
    Q_OBJECT
public:
    ClassWindow(const ClassServer &server, const QString &address, QWidget *parent = nullptr);

private:
    void showPool();

    const ClassServer &m_server;
    QLabel *m_headline;
    std::array<QLabel *, kCountCount> m_counts{};
    std::array<QLabel *, kCountCount> m_ratios{};
    QTimer m_refresh;
};

} // namespace nuperako::classroom
