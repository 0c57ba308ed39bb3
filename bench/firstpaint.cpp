// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

bool FirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_done) {
        m_done = true;
        // Report once the paint that was asked for has been delivered.
        QTimer::singleShot(0, [this] {
            const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("%.2f ms %.1f MiB\n", static_cast<double>(now - m_launchedAtNs) / 1e6,
                        static_cast<double>(usage.ru_maxrss) / 1024.0);
            QCoreApplication::quit();
        });
    }
    return QObject::eventFilter(watched, event);
}
