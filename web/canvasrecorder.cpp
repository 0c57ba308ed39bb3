// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "web/canvasrecorder.h"

#include "web/jsonwriter.h"

namespace nuperako::web {

namespace {

int packed(Rgb c)
{
    return c.red << 16 | c.green << 8 | c.blue;
}

} // namespace

CanvasRecorder::CanvasRecorder(const PixelGrid &grid, double lineHeightPixels)
    : m_grid(grid), m_lineHeight(lineHeightPixels)
{
}

void CanvasRecorder::plot(Pixel p, Rgb color)
{
    m_pixels.insert(m_pixels.end(), {p.x, p.y, packed(color)});
}

void CanvasRecorder::line(float x1, float y1, float x2, float y2, Rgb color)
{
    PixelGrid::line(m_grid.toPixel(x1, y1), m_grid.toPixel(x2, y2), [&](Pixel p) { plot(p, color); });
    setCurrentPosition(x2, y2);
}

void CanvasRecorder::lineTo(float x2, float y2, Rgb color)
{
    line(m_x, m_y, x2, y2, color);
}

void CanvasRecorder::pset(float x, float y, Rgb color)
{
    plot(m_grid.toPixel(x, y), color);
    setCurrentPosition(x, y);
}

void CanvasRecorder::setCurrentPosition(float x, float y)
{
    m_x = x;
    m_y = y;
}

void CanvasRecorder::print(std::string_view text)
{
    if (!text.empty())
        m_texts.push_back({m_grid.toPixel(m_x, m_y), m_foreColor, std::string(text)});
    setCurrentPosition(0, static_cast<float>(m_y + m_grid.userHeight(m_lineHeight)));
}

void CanvasRecorder::write(JsonWriter &json) const
{
    json.beginObject().key("pixels").beginArray();
    for (const int v : m_pixels)
        json.value(v);
    json.endArray().key("texts").beginArray();
    for (const Text &t : m_texts)
        json.beginArray().value(t.at.x).value(t.at.y).value(packed(t.color)).value(t.text).endArray();
    json.endArray().endObject();
}

} // namespace nuperako::web
