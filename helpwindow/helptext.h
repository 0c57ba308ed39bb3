// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace nuperako {

class DrawingSurface;

// The 29 printed lines of the help window in UTF-8, indentation included.
std::vector<std::string> helpText();

// The 29 lines printed one below the other from the surface's current point,
// as the help window does on a cleared picture.
void printHelp(DrawingSurface &surface);

} // namespace nuperako
