// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "liveboard.h"
#include "offscreenmain.h"
#include "onscreen.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

using namespace nuperako;

namespace {

// The pon handler on a live board: three draws with their pictures, the
// result labels and the eighteen tally cells.
void command2Handler(benchmark::State &state)
{
    LiveBoard board;
    Form1 &form = board.form;
    Module1 &shared = board.shared;
    form.show();
    waitExposed(&form);
    auto *pon = form.findChild<QPushButton *>(QStringLiteral("Command2"));
    for (auto _ : state) {
        // The click as the button delivers it: the model's handler, then the board shown.
        emit pon->clicked();
        if (shared.owari == 1) {
            state.PauseTiming();
            BoardVariables &v = form.model().variables();
            v.a1kati = v.b1kati = v.c1kati = v.a1make = v.b1make = v.c1make = 0;
            shared.aiko = shared.abc1kati = shared.abc1make = shared.owari = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(command2Handler)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char *argv[])
{
    return runOffscreenBenchmarks(argc, argv);
}
