// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchrunner.h"

#include "batch/fixedclock.h"
#include "core/boardvariables.h"
#include "core/experiment.h"
#include "core/mixinggenerator.h"
#include "core/module1.h"
#include "core/splitmix64.h"

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
    // SplitMix64's output for the run's step from the seed: neighbouring runs get unrelated states.
    return splitMix64(seed + kGoldenGamma * (static_cast<std::uint64_t>(run) + 1));
}

RunResult BatchRunner::playRun(std::uint64_t runSeed, std::optional<int> rounds, bool keepHistory)
{
    // The program-wide state holds three 1001-element histories: too large for a thread's stack habits.
    auto shared = std::make_unique<Module1>();
    BoardVariables vars;
    MixingGenerator random(runSeed);
    FixedClock clock(kFixedReseed);
    Experiment experiment(*shared, vars, random, clock);
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
    result.counts = experiment.counts();
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
