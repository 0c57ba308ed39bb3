// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string_view>
#include <vector>

namespace nuperako::batch {

// The whole batch tool: arguments in, text out, the exit status returned
// (0 done, 1 the plot could not be written, 2 the arguments are wrong).
int runBatchProgram(const std::vector<std::string_view> &args, std::ostream &out, std::ostream &err);

} // namespace nuperako::batch
