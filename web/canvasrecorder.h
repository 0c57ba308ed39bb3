// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/drawingsurface.h"
#include "core/pixelgrid.h"

#include <string>
#include <vector>

namespace nuperako::web {

class JsonWriter;

// A drawing as the page replays it on a canvas that keeps its picture: the
// pixels that lines and points set, in the desktop picture's pixel grid, and
// the texts at their top-left pixels. The page measures the text line height.
class CanvasRecorder final : public DrawingSurface {
public:
    CanvasRecorder(const PixelGrid &grid, double lineHeightPixels);

    void line(float x1, float y1, float x2, float y2, Rgb color) override;
    void lineTo(float x2, float y2, Rgb color) override;
    void pset(float x, float y, Rgb color) override;
    void setCurrentPosition(float x, float y) override;
    void setForeColor(Rgb color) override { m_foreColor = color; }
    void print(std::string_view text) override;

    // {"pixels": [x, y, rgb, x, y, rgb, ...], "texts": [[x, y, rgb, "text"], ...]},
    // rgb as 0xRRGGBB, in drawing order within each list.
    void write(JsonWriter &json) const;

private:
    struct Text {
        Pixel at;
        Rgb color;
        std::string text;
    };

    void plot(Pixel p, Rgb color);

    PixelGrid m_grid;
    double m_lineHeight;
    float m_x = 0;
    float m_y = 0;
    Rgb m_foreColor;
    std::vector<int> m_pixels;
    std::vector<Text> m_texts;
};

} // namespace nuperako::web
