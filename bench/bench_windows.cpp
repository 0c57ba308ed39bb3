// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/module1.h"
#include "graphwindow/form2.h"
#include "helpwindow/form4.h"
#include "offscreenmain.h"
#include "onscreen.h"
#include "platform/soundcontrol.h"

#include <benchmark/benchmark.h>

using namespace nuperako;

namespace {

// The largest graph: all three curves at 999 points.
void graphActivation(benchmark::State &state)
{
    Module1 shared;
    for (std::size_t i = 0; i < shared.aikoritu.size(); ++i) {
        const float wobble = static_cast<float>(i % 17) / 100.0F;
        shared.aikoritu.at(i) = 0.25F + wobble;
        shared.katiritu.at(i) = 0.30F + wobble;
        shared.makeritu.at(i) = 0.35F + wobble;
    }
    shared.aiko = shared.abc1kati = shared.abc1make = 999;
    Form2 form(shared);
    form.show();
    waitExposed(&form);
    for (auto _ : state)
        form.drawGraph();
}
BENCHMARK(graphActivation)->Repetitions(5)->ReportAggregatesOnly(true);

void helpActivation(benchmark::State &state)
{
    Form board;
    Form4 form(board);
    form.show();
    waitExposed(&form);
    for (auto _ : state)
        form.printHelp();
}
BENCHMARK(helpActivation)->Repetitions(5)->ReportAggregatesOnly(true);

// One cue; argument 1 with the file present, 0 with it missing.
void soundCue(benchmark::State &state)
{
    const QString file = state.range(0) != 0 ? QStringLiteral("mypinpon.wav") : QStringLiteral("missing.wav");
    SoundControl control;
    for (auto _ : state)
        control.play(file);
}
BENCHMARK(soundCue)->Arg(1)->Arg(0)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char *argv[])
{
    return runOffscreenBenchmarks(argc, argv);
}
