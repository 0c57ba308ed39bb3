// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/pixelsurface.h"

#include <string>
#include <vector>

namespace nuperako::web {

class JsonWriter;

// A drawing as the page replays it on a canvas that keeps its picture: the
// pixels that lines and points set, in the desktop picture's pixel grid, and
// the texts at their top-left pixels. The page measures the text line height.
class CanvasRecorder final : public PixelSurface {
public:
    CanvasRecorder(const PixelGrid &grid, double lineHeightPixels);

    // {"pixels": [x, y, rgb, x, y, rgb, ...], "texts": [[x, y, rgb, "text"], ...]},
    // rgb as 0xRRGGBB, in drawing order within each list.
    void write(JsonWriter &json) const;

private:
    struct Text {
        Pixel at;
        Rgb color;
        std::string text;
    };

    void plot(Pixel p, Rgb color) override;
    void printText(Pixel at, std::string_view text, Rgb color) override;
    [[nodiscard]] double lineHeight() const override { return m_lineHeight; }

    double m_lineHeight;
    std::vector<int> m_pixels;
    std::vector<Text> m_texts;
};

} // namespace nuperako::web
