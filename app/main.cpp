// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/mixinggenerator.h"
#include "core/module1.h"
#include "core/systemclock.h"
#include "mainwindow/form1.h"

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
