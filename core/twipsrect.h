// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako {

// A window element's place in twips, 1/1440 inch (15 to a 96 dpi pixel), from
// the top-left corner of its window's client area, y downwards.
struct TwipsRect {
    int left, top, width, height;
};

} // namespace nuperako
