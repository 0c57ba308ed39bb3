// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// One whole redraw of the teacher's window (tally, the class's graph with a full
// history, the funnel) for a class of 40 students with 3 experiments each, on a
// projector's 1920x1080 and on a laptop's 1280x720.
#include "classroom/classwindow.h"
#include "offscreenmain.h"
#include "onscreen.h"
#include "platform/questionbox.h"
#include "pool/classsession.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace nuperako;
using namespace nuperako::classroom;

namespace {

void classWindowRedraw(benchmark::State &state)
{
    constexpr int kStudents = 40;
    constexpr int kExperiments = 3;
    pool::ClassPool pool("ABCDE");
    std::mt19937 random(7);
    std::int64_t rounds = 0;
    for (int s = 1; s <= kStudents; ++s) {
        const std::string device = "bench-device-" + std::to_string(1000 + s);
        pool.restoreStudent(device, std::to_string(s) + "番", s, 0);
        for (int e = 1; e <= kExperiments; ++e) {
            std::uniform_int_distribution<int> third(20, 300);
            const auto aiko = static_cast<std::int16_t>(third(random));
            const auto wins = static_cast<std::int16_t>(third(random));
            const auto losses = static_cast<std::int16_t>(third(random));
            pool::ExperimentState x;
            x.seq = 1;
            x.counts = {aiko, wins, 0, 0, wins, losses, 0, 0, losses};
            pool.restoreExperiment(device, e, x);
            rounds += aiko + wins + losses;
        }
    }
    // A history thinned to its most points.
    pool::PooledHistory history;
    for (std::int64_t r = 1; r <= rounds; r += 7)
        history.record({r, {r / 3, r / 3, r - 2 * (r / 3)}});
    const pool::ClassSession session(std::move(pool), std::move(history));
    QuestionBox questions;
    ClassWindow window(questions, true);
    window.showClass(session, QStringLiteral("http://127.0.0.1:8088/?class=ABCDE"));
    window.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    window.show();
    waitExposed(&window);
    for (auto _ : state)
        window.showPool();
}
BENCHMARK(classWindowRedraw)
    ->Args({1920, 1080})
    ->Args({1280, 720})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char *argv[])
{
    return runOffscreenBenchmarks(argc, argv);
}
