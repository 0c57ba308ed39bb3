// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

namespace nuperako {

// The windows are laid out in twips, 1/1440 inch: 15 twips are one pixel at
// 96 dpi. Qt's device-independent pixels are 96 dpi pixels, so high-DPI
// scaling takes care of denser screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace nuperako
