// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/mixinggenerator.h"
#include "core/module1.h"
#include "core/systemclock.h"
#include "mainwindow/form1.h"

// The board as the program builds it: real generator, real clock.
struct LiveBoard {
    nuperako::Module1 shared;
    nuperako::MixingGenerator random;
    nuperako::SystemClock clock;
    nuperako::Form1 form{shared, random, clock};
};
