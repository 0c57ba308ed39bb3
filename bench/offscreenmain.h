// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark of live windows: they are shown on the offscreen
// platform, so no display is needed and none is measured.
inline int runOffscreenBenchmarks(int argc, char *argv[])
{
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char *qtArgs[] = {argv[0], platform, offscreen, nullptr};
    int qtArgc = 3;
    QApplication app(qtArgc, qtArgs);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
