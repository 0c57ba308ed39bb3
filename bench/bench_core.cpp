// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/boardvariables.h"
#include "core/experiment.h"
#include "core/mixinggenerator.h"
#include "core/module1.h"
#include "core/systemclock.h"
#include "mainwindow/boardmodel.h"

#include <benchmark/benchmark.h>

using namespace nuperako;

namespace {

// The floor of a round: its three clock readings.
void threeClockReadings(benchmark::State &state)
{
    SystemClock clock;
    for (auto _ : state) {
        benchmark::DoNotOptimize(clock.secondsSinceMidnight());
        benchmark::DoNotOptimize(clock.secondsSinceMidnight());
        benchmark::DoNotOptimize(clock.secondsSinceMidnight());
    }
}
BENCHMARK(threeClockReadings);

void judgementAlone(benchmark::State &state)
{
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(judge(kHands[i % 3], kHands[(i / 3) % 3], kHands[(i / 9) % 3]));
        i = (i + 1) % 27;
    }
}
BENCHMARK(judgementAlone);

// A whole round as the board plays it (three reseeded draws, judgement, tally,
// history, end rule), then the nine ratios it shows.
void fullRound(benchmark::State &state)
{
    Module1 shared;
    BoardVariables vars;
    MixingGenerator random;
    SystemClock clock;
    Experiment experiment(shared, vars, random, clock);
    experiment.initialise();
    for (auto _ : state) {
        const Round round = experiment.playRound();
        const Counts counts = experiment.counts();
        for (std::int16_t count : counts.values)
            benchmark::DoNotOptimize(ratio(count, kaisuu(shared)));
        if (round.endedNow)
            experiment.initialise();
    }
}
BENCHMARK(fullRound);

// A manual round through the board's model, as a click on "ヌペラコ" and one on
// "ポ　ン" run it; bench/web.mjs plays the same in the browser's module.
void boardRound(benchmark::State &state)
{
    Module1 shared;
    MixingGenerator random;
    SystemClock clock;
    BoardModel board(shared, random, clock);
    board.load();
    board.activate();
    for (auto _ : state) {
        if (!board.isEnabled(Button::Command1)) { // the experiment has ended
            board.click(Button::Command4);
            board.takeRequests();
        }
        board.click(Button::Command1);
        board.click(Button::Command2);
    }
}
BENCHMARK(boardRound);

} // namespace

BENCHMARK_MAIN();
