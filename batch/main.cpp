// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchprogram.h"

#include <iostream>

int main(int argc, char *argv[])
{
    return nuperako::batch::runBatchProgram({argv + 1, argv + argc}, std::cout, std::cerr);
}
