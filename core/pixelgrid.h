// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdlib>

namespace nuperako {

struct Pixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const Pixel &, const Pixel &) = default;
};

// The pixels of a drawing surface's inside under its user coordinates: x from
// 0 at the left edge to scaleWidth at the right one, y from 0 at the top to
// scaleHeight at the bottom. Every point goes to its nearest whole pixel, so a
// curve's points and its segments always meet. The desktop's picture boxes and
// the browser page's canvases draw the same pixels through it.
class PixelGrid {
public:
    PixelGrid(int width, int height, double scaleWidth, double scaleHeight)
        : m_width(width), m_height(height), m_scaleWidth(scaleWidth), m_scaleHeight(scaleHeight)
    {
    }

    [[nodiscard]] Pixel toPixel(float x, float y) const
    {
        const double px = static_cast<double>(x) * m_width / m_scaleWidth;
        const double py = static_cast<double>(y) * m_height / m_scaleHeight;
        return {static_cast<int>(std::floor(px + 0.5)), static_cast<int>(std::floor(py + 0.5))};
    }

    // A distance in pixels down the surface, in user units.
    [[nodiscard]] double userHeight(double pixels) const { return pixels * m_scaleHeight / m_height; }

    // Bresenham between two pixels, both included: one pixel wide, and the
    // same end pixels as a single point gives, which a painter's line would not promise.
    template <class Plot>
    static void line(Pixel from, Pixel to, Plot plot)
    {
        const int dx = std::abs(to.x - from.x);
        const int dy = -std::abs(to.y - from.y);
        const int sx = from.x < to.x ? 1 : -1;
        const int sy = from.y < to.y ? 1 : -1;
        int error = dx + dy;
        for (Pixel p = from;;) {
            plot(p);
            if (p == to)
                break;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                p.x += sx;
            }
            if (twice <= dx) {
                error += dx;
                p.y += sy;
            }
        }
    }

private:
    int m_width;
    int m_height;
    double m_scaleWidth;
    double m_scaleHeight;
};

} // namespace nuperako
