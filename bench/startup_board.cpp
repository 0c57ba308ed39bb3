// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The program as it starts, stopped at the board's first paint.
#include "firstpaint.h"
#include "form1.h"
#include "mixinggenerator.h"
#include "module1.h"
#include "systemclock.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint firstPaint(argc > 1 ? std::atoll(argv[1]) : 0);

    nuperako::Module1 module1;
    nuperako::MixingGenerator random;
    nuperako::SystemClock clock;
    nuperako::Form1 form1(module1, random, clock);
    form1.installEventFilter(&firstPaint);
    form1.show();
    return QApplication::exec();
}
