// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/twipsrect.h"

// The graph window's elements, for the desktop window and the browser page.
namespace nuperako::graphlayout {

inline constexpr const char *kCaption = " グラフ";
inline constexpr TwipsRect kClientArea{2910, 2235, 9750, 5670}; // on the screen
inline constexpr const char *kCloseCaption = "閉じる";
inline constexpr TwipsRect kClose{8760, 0, 975, 375}; // Command1
inline constexpr TwipsRect kLine{0, 360, 9720, 0};    // Line1
inline constexpr TwipsRect kPicture{120, 600, 9495, 4815};
inline constexpr double kPicturePointSize = 8.25;

} // namespace nuperako::graphlayout
