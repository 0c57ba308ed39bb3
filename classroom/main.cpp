// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classprogram.h"

int main(int argc, char *argv[])
{
    return nuperako::classroom::runClassProgram(argc, argv);
}
