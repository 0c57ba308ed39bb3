// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The yardstick: the smallest Qt Widgets window, stopped at its first paint.
#include "firstpaint.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint firstPaint(argc > 1 ? std::atoll(argv[1]) : 0);

    QWidget window;
    window.resize(488, 497);
    QPushButton button(QStringLiteral("ボタン"), &window);
    window.installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}
