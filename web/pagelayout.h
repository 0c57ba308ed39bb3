// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace nuperako::web {

// The three windows' elements, in CSS pixels, and what the page needs to run them, as JSON.
std::string pageLayout();
// The help window's 29 lines, and where they are printed with lines of the given height, as JSON.
std::string helpPage(double lineHeightPixels);

} // namespace nuperako::web
