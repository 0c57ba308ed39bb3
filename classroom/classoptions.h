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
    bool school = false;      // a school's server: no class of its own, teachers open theirs (headless)
    bool newClass = false;    // a new class even when the store has one to go on with
    std::string passwordFile; // the teachers' password, in a file; empty: anyone may open a class
    int maxConnections = 0;   // 0: as many as the open files allow, up to the default
    int port = 8088;          // 0: any free port
    std::string bind;         // empty: every interface
    std::string dataDir;      // empty: $XDG_DATA_HOME/nuperako
    std::string exportClass;  // a class to write as CSV to the standard output, instead of serving one
    bool help = false;
};

// Parses the arguments after the program name; throws UsageError.
ClassOptions parseClassOptions(const std::vector<std::string_view> &args);

// The --help text, in Japanese and English.
std::string classHelpText();

// The teachers' password as a file holds it: its first line; an empty file, none.
std::string passwordOf(std::string_view fileText);

} // namespace nuperako::classroom
