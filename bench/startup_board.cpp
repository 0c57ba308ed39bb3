// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The program as it starts, stopped at the board's first paint.
#include "firstpaint.h"
#include "liveboard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint firstPaint(argc > 1 ? std::atoll(argv[1]) : 0);

    LiveBoard board;
    board.form.installEventFilter(&firstPaint);
    board.form.show();
    return QApplication::exec();
}
