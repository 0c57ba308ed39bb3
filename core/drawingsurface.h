// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/palette.h"

#include <string_view>

namespace nuperako {

// A picture drawn on in its own user coordinates. It keeps one current point:
// where the next text goes and where lineTo starts.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // A one-pixel line, both ends included; (x2, y2) becomes the current point.
    virtual void line(float x1, float y1, float x2, float y2, Rgb color) = 0;
    virtual void lineTo(float x2, float y2, Rgb color) = 0;
    // One pixel; (x, y) becomes the current point.
    virtual void pset(float x, float y, Rgb color) = 0;
    // A filled square of 2 radius + 1 pixels around the point's pixel; (x, y) becomes the current point.
    virtual void dot(float x, float y, int radius, Rgb color) = 0;

    virtual void setCurrentPosition(float x, float y) = 0;
    virtual void setForeColor(Rgb color) = 0;
    // UTF-8 text with its top-left corner at the current point, in the text
    // colour, glyphs only; then the current point moves to the left edge one
    // text line lower. An empty text only moves.
    virtual void print(std::string_view text) = 0;
};

} // namespace nuperako
