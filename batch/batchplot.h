// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "batch/plotwriter.h"

#include <QImage>

#include <cstdint>

namespace nuperako::batch {

inline constexpr int kPlotWidth = 1000;
inline constexpr int kPlotHeight = 600;

// The ratio curves of the runs that kept their rounds, overlaid over rounds
// played, in the board's colours, beside the one-third line. Needs a
// QGuiApplication for its text, not a display.
QImage plotImage(const std::vector<RunResult> &results, std::uint64_t seed);

} // namespace nuperako::batch
