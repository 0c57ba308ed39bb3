// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/picturescale.h"

#include "pool/classdrawing.h"

#include <algorithm>
#include <cmath>

namespace nuperako::pool {

namespace {

constexpr double kPixelsAcross = 450;
// A line of text, in the picture's units of height.
constexpr double kTextHeight = 34;

} // namespace

PictureScale pictureScale(int deviceWidth, int deviceHeight)
{
    deviceWidth = std::max(1, deviceWidth);
    deviceHeight = std::max(1, deviceHeight);
    // The drawing keeps its proportions: its width is what fits both ways.
    const double width =
        std::min<double>(deviceWidth, static_cast<double>(deviceHeight) * kClassPictureWidth / kClassPictureHeight);
    PictureScale s;
    s.block = std::max(1, static_cast<int>(std::lround(width / kPixelsAcross)));
    s.gridWidth = std::max(1, deviceWidth / s.block);
    s.gridHeight = std::max(1, deviceHeight / s.block);
    s.textPixels = std::max(1, static_cast<int>(width * kTextHeight / kClassPictureWidth));
    return s;
}

} // namespace nuperako::pool
