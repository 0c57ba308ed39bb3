// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "batch/plotwriter.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <optional>

namespace nuperako::batch {

// The plot plugin's writer: plotImage saved through a QSaveFile, so a failed
// write leaves an existing file as it was.
class PngPlotWriter final : public PlotWriter {
public:
    PngPlotWriter();
    ~PngPlotWriter() override;

    bool open(const std::string &path) override;
    bool write(const std::vector<RunResult> &results, std::uint64_t seed) override;
    [[nodiscard]] std::string errorString() const override;

private:
    std::optional<QGuiApplication> m_gui; // for the plot's text, where the process has no application
    std::optional<QSaveFile> m_file;
};

} // namespace nuperako::batch
