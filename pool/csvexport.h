// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/poolsummary.h"

#include <string>
#include <string_view>

namespace nuperako::pool {

// The class's experiments as CSV (RFC 4180, UTF-8, CRLF): a header row, then one
// row an experiment: seat, experiment, rounds, the board's nine counts, ended (0 or 1).
std::string experimentsCsv(const PoolSummary &summary);

// One CSV field: quoted when it holds a comma, a quote or a line break. A seat is
// the student's own text, so one that a spreadsheet would take for a formula
// (=, +, -, @ first) is kept as text by a leading apostrophe.
std::string csvField(std::string_view text);

} // namespace nuperako::pool
