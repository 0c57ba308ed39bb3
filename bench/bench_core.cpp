// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "experiment.h"
#include "form1state.h"
#include "judgement.h"
#include "mixinggenerator.h"
#include "module1.h"
#include "systemclock.h"

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
    constexpr std::array<std::string_view, 3> names{"guu", "pii", "paa"};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(judge(names[i % 3], names[(i / 3) % 3], names[(i / 9) % 3]));
        i = (i + 1) % 27;
    }
}
BENCHMARK(judgementAlone);

// Three reseeded draws, judge, tally, nine ratios, history and end rule.
void fullRound(benchmark::State &state)
{
    Module1 shared;
    Form1State vars;
    MixingGenerator random;
    SystemClock clock;
    Experiment experiment(shared, vars, random, clock);
    experiment.initialise();
    for (auto _ : state) {
        for (Player p : kPlayers)
            experiment.drawHand(p);
        experiment.tally(experiment.judge()->outcome);
        for (std::int16_t count : {shared.aiko, vars.a1kati, vars.b1kati, vars.c1kati, shared.abc1kati, vars.a1make,
                                   vars.b1make, vars.c1make, shared.abc1make})
            benchmark::DoNotOptimize(experiment.ratio(count));
        experiment.recordHistory();
        if (experiment.applyEndRule())
            experiment.initialise();
    }
}
BENCHMARK(fullRound);

} // namespace

BENCHMARK_MAIN();
