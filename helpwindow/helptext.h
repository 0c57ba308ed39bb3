// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace nuperako {

// The 29 printed lines of the help window in UTF-8, indentation included.
std::vector<std::string> helpText();

} // namespace nuperako
