// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "web/webboard.h"

#include "graphwindow/graphdrawing.h"
#include "graphwindow/graphlayout.h"
#include "web/canvasrecorder.h"
#include "web/jsonwriter.h"

namespace nuperako::web {

WebBoard::WebBoard() : m_model(m_shared, m_random, m_clock)
{
    m_model.load();
}

void WebBoard::advance(double now)
{
    m_now = now;
    m_schedule.advance(now);
}

void WebBoard::click(Button b)
{
    m_model.click(b);
    m_schedule.update(m_now);
}

void WebBoard::activate()
{
    m_model.activate();
    m_schedule.update(m_now);
}

void WebBoard::exitAnswered(int kotae)
{
    m_model.exitAnswered(kotae);
    m_schedule.update(m_now);
}

void WebBoard::frameClosed()
{
    m_model.frameClosed();
    m_schedule.update(m_now);
}

std::string WebBoard::state()
{
    JsonWriter json;
    json.beginObject().key("enabled").beginArray();
    for (std::size_t b = 0; b < kButtonCount; ++b)
        json.value(m_model.isEnabled(static_cast<Button>(b)));
    json.endArray().key("automatic").value(m_model.isRunning(BoardTimer::Timer4)).key("next");
    if (const auto due = m_schedule.nextDue())
        json.value(*due);
    else
        json.null();
    json.key("rounds").value(kaisuu(m_shared)).key("ended").value(m_shared.owari == 1);
    json.key("hands").beginArray();
    for (const Player p : kPlayers)
        json.value(static_cast<int>(code(m_model.shownHand(p))));
    json.endArray().key("results").beginArray();
    for (const Player p : kPlayers) {
        json.beginObject().key("caption").value(m_model.result(p).caption).key("color");
        json.cssColor(m_model.result(p).color);
        json.endObject();
    }
    json.endArray().key("counts").beginArray();
    for (std::size_t c = 0; c < kCountCount; ++c)
        json.value(m_model.countText(static_cast<Count>(c)));
    json.endArray().key("tally").beginArray();
    for (const std::int16_t n : m_model.counts().values)
        json.value(n);
    json.endArray().key("ratios").beginArray();
    for (std::size_t c = 0; c < kCountCount; ++c)
        json.value(m_model.ratioText(static_cast<Count>(c)));
    json.endArray().key("requests").beginArray();
    for (const Request &r : m_model.takeRequests()) {
        switch (r.kind) {
        case Request::Kind::PlayCue: json.beginObject().key("kind").value("cue").key("file").value(r.soundFile); break;
        case Request::Kind::OpenGraph: json.beginObject().key("kind").value("graph"); break;
        case Request::Kind::OpenHelp: json.beginObject().key("kind").value("help"); break;
        case Request::Kind::AskToExit: json.beginObject().key("kind").value("ask"); break;
        case Request::Kind::EndProgram: json.beginObject().key("kind").value("end"); break;
        }
        json.endObject();
    }
    json.endArray().endObject();
    return json.text();
}

std::string WebBoard::graph(double lineHeightPixels) const
{
    const PixelSize inside = insideOf(kGraphWindow.picture);
    CanvasRecorder recorder(PixelGrid(inside.width, inside.height, kGraphScaleWidth, kGraphScaleHeight),
                            lineHeightPixels);
    drawGraph(m_shared, recorder);
    JsonWriter json;
    json.beginObject().key("drawing");
    recorder.write(json);
    json.key("summary").value(graphSummary(m_shared)).endObject();
    return json.text();
}

} // namespace nuperako::web
