// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/pixelsurface.h"

namespace nuperako {

void PixelSurface::line(float x1, float y1, float x2, float y2, Rgb color)
{
    PixelGrid::line(m_grid.toPixel(x1, y1), m_grid.toPixel(x2, y2), [&](Pixel p) { plot(p, color); });
    setCurrentPosition(x2, y2);
    drawn();
}

void PixelSurface::lineTo(float x2, float y2, Rgb color)
{
    line(m_x, m_y, x2, y2, color);
}

void PixelSurface::pset(float x, float y, Rgb color)
{
    plot(m_grid.toPixel(x, y), color);
    setCurrentPosition(x, y);
    drawn();
}

void PixelSurface::dot(float x, float y, int radius, Rgb color)
{
    const Pixel centre = m_grid.toPixel(x, y);
    for (int py = centre.y - radius; py <= centre.y + radius; ++py) {
        for (int px = centre.x - radius; px <= centre.x + radius; ++px)
            plot({px, py}, color);
    }
    setCurrentPosition(x, y);
    drawn();
}

void PixelSurface::setCurrentPosition(float x, float y)
{
    m_x = x;
    m_y = y;
}

void PixelSurface::print(std::string_view text)
{
    if (!text.empty()) {
        printText(m_grid.toPixel(m_x, m_y), text, m_foreColor);
        drawn();
    }
    setCurrentPosition(0, static_cast<float>(m_y + m_grid.userHeight(lineHeight())));
}

} // namespace nuperako
