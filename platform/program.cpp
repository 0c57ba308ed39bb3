// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/program.h"

#include <QApplication>

namespace nuperako {

void endProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

} // namespace nuperako
