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
    : PixelSurface(grid), m_lineHeight(lineHeightPixels)
{
}

void CanvasRecorder::plot(Pixel p, Rgb color)
{
    m_pixels.insert(m_pixels.end(), {p.x, p.y, packed(color)});
}

void CanvasRecorder::printText(Pixel at, std::string_view text, Rgb color)
{
    m_texts.push_back({at, color, std::string(text)});
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
