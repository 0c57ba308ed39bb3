// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchprogram.h"

#include "batch/batchoptions.h"
#include "batch/batchplot.h"
#include "batch/batchreport.h"
#include "batch/batchrunner.h"
#include "core/systemclock.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryDir>

#include <bit>
#include <chrono>
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

// Text needs a QGuiApplication; without a display, the offscreen platform serves.
std::optional<QGuiApplication> guiForPlotting()
{
    if (QCoreApplication::instance() != nullptr)
        return std::nullopt;
    static int argc = 3;
    static char name[] = "nuperako-batch";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char *argv[] = {name, platform, offscreen, nullptr};
    // Qt wants a private runtime folder and warns when a plain shell gives none: it gets one of its own.
    static const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    return std::optional<QGuiApplication>(std::in_place, argc, argv);
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

    // Lives until the plot is drawn, for its text.
    // cppcheck-suppress unreadVariable
    const std::optional<QGuiApplication> gui = options.plotFile.empty() ? std::nullopt : guiForPlotting();

    // Fail before the experiments, not after them: the plot file must be writable.
    std::optional<QSaveFile> plotFile;
    if (!options.plotFile.empty()) {
        plotFile.emplace(QString::fromStdString(options.plotFile));
        if (!plotFile->open(QIODevice::WriteOnly)) {
            err << "nuperako-batch: cannot write the plot file '" << options.plotFile
                << "': " << plotFile->errorString().toStdString() << '\n';
            return 1;
        }
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
        std::max(plotFile ? std::min(plan.runs, kMaxPlottedRuns) : 0L, options.csv && plan.runs == 1 ? 1L : 0L);

    std::vector<RunResult> results;
    {
        Progress progress(err, plan.runs);
        results = BatchRunner::run(plan, std::ref(progress));
    }
    out << (options.csv ? csvText(results) : summaryText(results, plan.seed)) << std::flush;

    if (plotFile) {
        const QImage image = plotImage(results, plan.seed);
        if (!image.save(&*plotFile, "PNG") || !plotFile->commit()) {
            err << "nuperako-batch: cannot write the plot file '" << options.plotFile
                << "': " << plotFile->errorString().toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace nuperako::batch
