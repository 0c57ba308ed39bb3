// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "liveboard.h"
#include "offscreenmain.h"
#include "onscreen.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

using namespace nuperako;

namespace {

// The pon handler on a live board: the round, then the three pictures, the
// result labels, the eighteen tally cells, the buttons and the timers shown.
void command2Handler(benchmark::State &state)
{
    LiveBoard board;
    Form1 &form = board.form;
    const Module1 &shared = board.shared;
    form.show();
    waitExposed(&form);
    auto *nuperako = form.findChild<QPushButton *>(QStringLiteral("Command1"));
    auto *pon = form.findChild<QPushButton *>(QStringLiteral("Command2"));
    auto *reset = form.findChild<QPushButton *>(QStringLiteral("Command4"));
    for (auto _ : state) {
        state.PauseTiming();
        if (shared.owari == 1)
            emit reset->clicked();
        emit nuperako->clicked(); // the shuffle, so that "ポ　ン" is enabled
        state.ResumeTiming();
        // The click as the button delivers it: the model's round, then the board shown.
        emit pon->clicked();
    }
}
BENCHMARK(command2Handler)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char *argv[])
{
    return runOffscreenBenchmarks(argc, argv);
}
