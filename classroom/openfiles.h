// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace nuperako::classroom {

// Raises the program's limit of open files to the most the system allows it
// (a desktop session starts programs with 1024, far below what a class's
// connections may need); returns the limit now in force.
std::size_t raiseOpenFilesLimit();

} // namespace nuperako::classroom
