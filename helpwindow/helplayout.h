// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/twipsrect.h"

namespace nuperako {

// The help window's elements, for the desktop window and the browser page.
inline constexpr PictureWindowLayout kHelpWindow{
    " ぬぺらこ＿ヘルプ（設問と操作方法）",
    {3480, 2235, 8535, 7470},
    "閉じる",
    {7560, 0, 855, 375},
    {120, 360, 8280, 0},
    {120, 480, 8295, 6855},
    11.25,
};
inline constexpr const char *kHelpPictureName = "ヘルプ"; // for a screen reader

} // namespace nuperako
