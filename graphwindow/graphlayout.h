// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/twipsrect.h"

namespace nuperako {

// The graph window's elements, for the desktop window and the browser page.
inline constexpr PictureWindowLayout kGraphWindow{
    " グラフ", {2910, 2235, 9750, 5670}, "閉じる", {8760, 0, 975, 375}, {0, 360, 9720, 0}, {120, 600, 9495, 4815}, 8.25,
};

} // namespace nuperako
