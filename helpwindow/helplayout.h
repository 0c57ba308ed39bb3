// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/twipsrect.h"

// The help window's elements, for the desktop window and the browser page.
namespace nuperako::helplayout {

inline constexpr const char *kCaption = " ぬぺらこ＿ヘルプ（設問と操作方法）";
inline constexpr TwipsRect kClientArea{3480, 2235, 8535, 7470}; // on the screen
inline constexpr const char *kCloseCaption = "閉じる";
inline constexpr TwipsRect kClose{7560, 0, 855, 375}; // Command1
inline constexpr TwipsRect kLine{120, 360, 8280, 0};  // Line1
inline constexpr TwipsRect kPicture{120, 480, 8295, 6855};
inline constexpr double kPicturePointSize = 11.25;
inline constexpr const char *kPictureName = "ヘルプ"; // for a screen reader

} // namespace nuperako::helplayout
