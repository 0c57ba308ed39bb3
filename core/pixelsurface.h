// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/drawingsurface.h"
#include "core/pixelgrid.h"

namespace nuperako {

// A drawing surface over a grid of pixels: it keeps the current point and the
// text colour, maps user points to pixels, draws lines pixel by pixel and moves
// down a line after a print. What a pixel and a text become is the subclass's:
// the desktop's picture box paints them, the browser edition records them.
class PixelSurface : public DrawingSurface {
public:
    void line(float x1, float y1, float x2, float y2, Rgb color) final;
    void lineTo(float x2, float y2, Rgb color) final;
    void pset(float x, float y, Rgb color) final;
    void dot(float x, float y, int radius, Rgb color) final;
    void setCurrentPosition(float x, float y) final;
    void setForeColor(Rgb color) final { m_foreColor = color; }
    void print(std::string_view text) final;

    [[nodiscard]] const PixelGrid &grid() const { return m_grid; }

protected:
    explicit PixelSurface(const PixelGrid &grid) : m_grid(grid) {}
    void setGrid(const PixelGrid &grid) { m_grid = grid; }

    virtual void plot(Pixel p, Rgb color) = 0;
    // The text's glyphs, their top-left corner at the pixel.
    virtual void printText(Pixel at, std::string_view text, Rgb color) = 0;
    // After each line, point or text: what a screen shows may be brought up to date once.
    virtual void drawn() {}
    // The height of one printed line, in pixels.
    [[nodiscard]] virtual double lineHeight() const = 0;

private:
    PixelGrid m_grid;
    float m_x = 0;
    float m_y = 0;
    Rgb m_foreColor;
};

} // namespace nuperako
