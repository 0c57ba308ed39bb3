// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batchrunner.h"

#include "experiment.h"
#include "fixedclock.h"
#include "form1state.h"
#include "mixinggenerator.h"
#include "module1.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace nuperako::batch {

namespace {

// The value every draw is reseeded with when the clock is not used.
constexpr float kFixedReseed = 0.0F;

} // namespace

std::uint64_t BatchRunner::seedOfRun(std::uint64_t seed, long run)
{
    // SplitMix64's finaliser over seed and run: neighbouring runs get unrelated states.
    std::uint64_t z = seed + 0x9e3779b97f4a7c15ULL * (static_cast<std::uint64_t>(run) + 1);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

RunResult BatchRunner::playRun(std::uint64_t runSeed, std::optional<int> rounds, bool keepHistory)
{
    // The program-wide state holds three 1001-element histories: too large for a thread's stack habits.
    auto shared = std::make_unique<Module1>();
    Form1State vars;
    MixingGenerator random(runSeed);
    FixedClock clock(kFixedReseed);
    SeededExperiment experiment(*shared, vars, random, clock);
    experiment.initialise();

    RunResult result;
    if (keepHistory)
        result.history.reserve(static_cast<std::size_t>(rounds.value_or(3000)));
    while (rounds ? result.rounds < *rounds : shared->owari == 0) {
        experiment.playRound();
        ++result.rounds;
        if (keepHistory)
            result.history.push_back({shared->aiko, shared->abc1kati, shared->abc1make});
    }
    result.counts = {shared->aiko, vars.a1kati, vars.b1kati,      vars.c1kati,     vars.a1make,
                     vars.b1make,  vars.c1make, shared->abc1kati, shared->abc1make};
    return result;
}

std::vector<RunResult> BatchRunner::run(const BatchPlan &plan, const std::function<void(long)> &progress)
{
    std::vector<RunResult> results(static_cast<std::size_t>(plan.runs));
    std::atomic<long> next{0};
    long done = 0;
    std::mutex doneMutex;
    std::condition_variable allDone;
    auto work = [&] {
        for (long i = next++; i < plan.runs; i = next++) {
            results[static_cast<std::size_t>(i)] =
                playRun(seedOfRun(plan.seed, i), plan.rounds, i < plan.keptHistories);
            const std::scoped_lock lock(doneMutex);
            if (++done == plan.runs)
                allDone.notify_all();
        }
    };

    std::vector<std::jthread> workers;
    for (int t = 1; t < plan.threads; ++t)
        workers.emplace_back(work);
    if (progress) {
        // This thread reports; the workers play. It wakes as soon as the last
        // run is done rather than at its next report, so no batch ends late.
        using namespace std::chrono_literals;
        workers.emplace_back(work);
        std::unique_lock lock(doneMutex);
        while (!allDone.wait_for(lock, 100ms, [&] { return done == plan.runs; })) {
            const long finished = done;
            lock.unlock();
            progress(finished);
            lock.lock();
        }
        lock.unlock();
        progress(plan.runs);
    } else {
        work();
    }
    workers.clear(); // joins: every result is written before it is handed out
    return results;
}

} // namespace nuperako::batch
