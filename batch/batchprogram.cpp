// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchprogram.h"

#include "batch/batchoptions.h"
#include "batch/batchreport.h"
#include "batch/batchrunner.h"
#include "batch/plotwriter.h"
#include "core/systemclock.h"
#include "platform/plugin.h"

#include <bit>
#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <thread>

namespace nuperako::batch {

namespace {

// A seed as unrepeatable as the board's rounds: the time of day mixed with the system's entropy.
std::uint64_t clockSeed()
{
    SystemClock clock;
    std::random_device entropy;
    const std::uint64_t time = std::bit_cast<std::uint32_t>(clock.secondsSinceMidnight());
    return BatchRunner::seedOfRun((std::uint64_t{entropy()} << 32 | entropy()) ^ time, 0);
}

// The plot's writer, or null with the reason on err.
std::unique_ptr<PlotWriter> openPlot(const std::string &path, std::ostream &err)
{
    auto *create = pluginFunction<CreatePlotWriter>(kPlotPlugin, kCreatePlotWriter);
    if (create == nullptr) {
        err << "nuperako-batch: cannot plot: the plugin " << kPlotPlugin << ".so is missing or broken\n";
        return nullptr;
    }
    std::unique_ptr<PlotWriter> writer(create());
    if (!writer->open(path)) {
        err << "nuperako-batch: cannot write the plot file '" << path << "': " << writer->errorString() << '\n';
        return nullptr;
    }
    return writer;
}

// A progress line on standard error, from the first second on.
class Progress {
public:
    Progress(std::ostream &err, long runs) : m_err(err), m_runs(runs) {}
    ~Progress()
    {
        if (m_shown)
            m_err << '\n';
    }
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    void operator()(long done)
    {
        if (std::chrono::steady_clock::now() - m_start < std::chrono::seconds(1))
            return;
        m_shown = true;
        m_err << "\rnuperako-batch: " << done << " / " << m_runs << " runs" << std::flush;
    }

private:
    std::ostream &m_err;
    long m_runs;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    bool m_shown = false;
};

} // namespace

int runBatchProgram(const std::vector<std::string_view> &args, std::ostream &out, std::ostream &err)
{
    BatchOptions options;
    try {
        options = parseOptions(args);
    } catch (const UsageError &e) {
        err << "nuperako-batch: " << e.what() << "\nTry 'nuperako-batch --help'.\n";
        return 2;
    }
    if (options.help) {
        out << helpText();
        return 0;
    }

    // Fail before the experiments, not after them: the plot file must be writable.
    std::unique_ptr<PlotWriter> plot;
    if (!options.plotFile.empty()) {
        plot = openPlot(options.plotFile, err);
        if (!plot)
            return 1;
    }

    BatchPlan plan;
    plan.runs = options.runs;
    plan.rounds = options.rounds;
    plan.seed = options.seed.value_or(0);
    if (!options.seed) {
        plan.seed = clockSeed();
        err << "nuperako-batch: seed " << plan.seed << " (repeat with --seed " << plan.seed << ")\n";
    }
    plan.threads =
        options.threads > 0 ? options.threads : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    plan.keptHistories =
        std::max(plot ? std::min(plan.runs, kMaxPlottedRuns) : 0L, options.csv && plan.runs == 1 ? 1L : 0L);

    std::vector<RunResult> results;
    {
        Progress progress(err, plan.runs);
        results = BatchRunner::run(plan, std::ref(progress));
    }
    out << (options.csv ? csvText(results) : summaryText(results, plan.seed)) << std::flush;

    if (plot && !plot->write(results, plan.seed)) {
        err << "nuperako-batch: cannot write the plot file '" << options.plotFile << "': " << plot->errorString()
            << '\n';
        return 1;
    }
    return 0;
}

} // namespace nuperako::batch
