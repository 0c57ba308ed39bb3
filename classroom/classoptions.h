// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/usageerror.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuperako::classroom {

// What nuperako-class was asked to do.
struct ClassOptions {
    bool headless = false;
    bool newClass = false;   // a new class even when the store has one to go on with
    int port = 8088;         // 0: any free port
    std::string bind;        // empty: every interface
    std::string dataDir;     // empty: $XDG_DATA_HOME/nuperako
    std::string exportClass; // a class to write as CSV to the standard output, instead of serving one
    bool help = false;
};

// Parses the arguments after the program name; throws UsageError.
ClassOptions parseClassOptions(const std::vector<std::string_view> &args);

// The --help text, in Japanese and English.
std::string classHelpText();

} // namespace nuperako::classroom
