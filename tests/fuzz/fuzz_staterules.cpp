// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The class's rules for the states a page sends, fed whatever a network can
// send: each line "EXPERIMENT SEQ C1 ... C9 ENDED" is offered, a line "r
// EXPERIMENT" takes an experiment out. Whatever comes, every experiment the
// pool keeps must be a tally the board can reach, and the pooled tally their sum.
#include "pool/classpool.h"
#include "pool/staterules.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace nuperako;
using namespace nuperako::pool;

namespace {

const std::string kDevice = "fuzzing-device-0001";
constexpr std::int64_t kLater = 3'600'000; // an hour after joining: the pace allows 18,060 rounds

void check(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ClassPool pool("ABCDE");
    pool.join(kDevice, 0);
    std::istringstream lines(std::string(reinterpret_cast<const char *>(data), size));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        if (line.starts_with('r')) {
            std::int64_t experiment = 0;
            fields.ignore(1) >> experiment;
            pool.remove(1, experiment);
            continue;
        }
        StateMessage message;
        fields >> message.experiment >> message.seq;
        for (std::int64_t &count : message.counts)
            fields >> count;
        fields >> message.ended;
        pool.offer(kDevice, message, kLater);
    }
    const PoolSummary summary = pool.summary();
    std::int64_t rounds = 0;
    for (const PooledExperiment &e : summary.experiments) {
        StateMessage again{e.experiment, e.state.seq, {}, e.state.ended};
        for (std::size_t c = 0; c < kCountCount; ++c)
            again.counts[c] = e.state.counts.values[c];
        ExperimentState read;
        check(readState(again, read) == Verdict::Accepted);
        rounds += roundsOf(e.state.counts);
    }
    check(summary.tally.rounds == rounds && pool.tally().rounds == rounds);
    return 0;
}
