// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>
#include <QWidget>

// A measurement of a window that never reached the screen would measure
// nothing; these waits end the benchmark instead.
inline void waitExposed(QWidget *window)
{
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("%s was never shown", qPrintable(window->objectName()));
}

inline void waitActive(QWidget *window)
{
    if (!QTest::qWaitForWindowActive(window))
        qFatal("%s never became active", qPrintable(window->objectName()));
}
