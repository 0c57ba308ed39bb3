// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "form1.h"
#include "mixinggenerator.h"
#include "module1.h"
#include "systemclock.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    nuperako::Module1 module1;
    nuperako::MixingGenerator random;
    nuperako::SystemClock clock;
    nuperako::Form1 form1(module1, random, clock);
    form1.show();
    return QApplication::exec();
}
