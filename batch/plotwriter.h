// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "batch/batchrunner.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nuperako::batch {

// The plot shows the first runs that kept their rounds, at most this many.
inline constexpr long kMaxPlottedRuns = 25;

// Writes the plot of the runs to a PNG file. The plot plugin implements it, so
// that only a batch with --plot loads Qt Gui.
class PlotWriter {
public:
    PlotWriter() = default;
    virtual ~PlotWriter() = default;
    PlotWriter(const PlotWriter &) = delete;
    PlotWriter &operator=(const PlotWriter &) = delete;

    // Opens the file, before any run is played; false where it cannot be written.
    virtual bool open(const std::string &path) = 0;
    // Draws the plot and puts it in place of the file in one step; false where that failed.
    virtual bool write(const std::vector<RunResult> &results, std::uint64_t seed) = 0;
    // Why the last open or write failed.
    [[nodiscard]] virtual std::string errorString() const = 0;
};

// The plugin's one export: a new writer, owned by the caller.
inline constexpr char kPlotPlugin[] = "nuperako-plot";
inline constexpr char kCreatePlotWriter[] = "nuperako_create_plot_writer";
using CreatePlotWriter = PlotWriter *();

} // namespace nuperako::batch
