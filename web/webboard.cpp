// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "web/webboard.h"

#include "core/boardvariables.h"
#include "graphwindow/graphdrawing.h"
#include "graphwindow/graphlayout.h"
#include "helpwindow/helplayout.h"
#include "helpwindow/helptext.h"
#include "mainwindow/boardlayout.h"
#include "web/canvasrecorder.h"
#include "web/jsonwriter.h"

#include <optional>

namespace nuperako::web {

namespace {

void rect(JsonWriter &json, const TwipsRect &r)
{
    json.beginArray().value(pixels(r.left)).value(pixels(r.top)).value(pixels(r.width)).value(pixels(r.height));
    json.endArray();
}

// A line one pixel high with both ends drawn, as the desktop's.
void lineRect(JsonWriter &json, const TwipsRect &r)
{
    const int left = pixels(r.left);
    json.beginArray().value(left).value(pixels(r.top)).value(pixels(r.left + r.width) - left + 1).value(1).endArray();
}

void color(JsonWriter &json, std::optional<Rgb> c)
{
    if (!c) {
        json.null();
        return;
    }
    constexpr char kDigits[] = "0123456789abcdef";
    std::string css = "#";
    for (const int part : {c->red, c->green, c->blue})
        css += {kDigits[part >> 4], kDigits[part & 15]};
    json.value(css);
}

void label(JsonWriter &json, const char *id, std::string_view text, const TwipsRect &place, std::optional<Rgb> c,
           bool italic, const std::string &speech)
{
    json.beginObject().key("id").value(id).key("text").value(text).key("rect");
    rect(json, place);
    json.key("color");
    color(json, c);
    json.key("italic").value(italic).key("speech").value(speech).endObject();
}

// The inside of a picture box placed at r, in pixels.
void inside(JsonWriter &json, const TwipsRect &r)
{
    json.beginArray().value(pixels(r.width) - 2 * kPictureBorder).value(pixels(r.height) - 2 * kPictureBorder);
    json.endArray();
}

void board(JsonWriter &json)
{
    using namespace boardlayout;
    json.beginObject().key("caption").value(kCaption).key("client");
    rect(json, kClientArea);
    json.key("line");
    lineRect(json, kLine);
    json.key("labelPointSize").value(kLabelPointSize).key("actionPointSize").value(kActionPointSize);

    json.key("buttons").beginArray();
    for (std::size_t b = 0; b < kButtonCount; ++b) {
        const ButtonElement &e = kButtonElements[b];
        json.beginObject().key("id").value("Command" + std::to_string(b + 1)).key("caption").value(e.caption);
        json.key("rect");
        rect(json, e.place);
        json.key("large").value(e.large).endObject();
    }
    json.endArray();

    json.key("players").beginArray();
    for (const Player p : kPlayers) {
        const PlayerElements &e = kPlayerElements[index(p)];
        json.beginObject().key("pictures").beginArray();
        for (const Hand h : kHands)
            json.beginObject()
                .key("id")
                .value(e.ids[static_cast<std::size_t>(code(h) - 1)])
                .key("speech")
                .value(handSpeech(p, h))
                .endObject();
        json.endArray().key("rect");
        rect(json, {e.left, kPictureTop, kPictureWidth, kPictureHeight});
        json.key("name");
        label(json, e.ids[3], e.name, nameCell(p), std::nullopt, false, e.name);
        json.key("result");
        label(json, e.ids[4], "", resultCell(p), std::nullopt, false, resultSpeech(p));
        json.endObject();
    }
    json.endArray();

    json.key("headings").beginArray();
    for (const Heading &h : kHeadings)
        label(json, h.id, h.caption, h.place, std::nullopt, false, h.caption);
    json.endArray().key("rows").beginArray();
    for (std::size_t c = 0; c < kCountCount; ++c) {
        const TallyRow &row = kTallyRows[c];
        const auto count = static_cast<Count>(c);
        json.beginObject().key("caption");
        label(json, row.ids[0], row.caption, tallyCell(count, 0), row.color, row.italic, row.caption);
        json.key("count");
        label(json, row.ids[1], "", tallyCell(count, 1), row.color, row.italic, cellSpeech(count, 1));
        json.key("ratio");
        label(json, row.ids[2], "", tallyCell(count, 2), row.color, row.italic, cellSpeech(count, 2));
        json.endObject();
    }
    json.endArray();

    json.key("exit")
        .beginObject()
        .key("question")
        .value(kExitQuestion)
        .key("title")
        .value(kExitTitle)
        .key("yes")
        .value(static_cast<int>(kAnswerYes))
        .key("no")
        .value(static_cast<int>(kAnswerNo))
        .endObject();
    json.endObject();
}

void pictureWindow(JsonWriter &json, const PictureWindowLayout &window)
{
    json.beginObject().key("caption").value(window.caption).key("client");
    rect(json, window.clientArea);
    json.key("close").beginObject().key("caption").value(window.closeCaption).key("rect");
    rect(json, window.close);
    json.endObject().key("line");
    lineRect(json, window.line);
    json.key("picture").beginObject().key("rect");
    rect(json, window.picture);
    json.key("inside");
    inside(json, window.picture);
    json.key("pointSize").value(window.picturePointSize).endObject().endObject();
}

} // namespace

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
        color(json, m_model.result(p).color);
        json.endObject();
    }
    json.endArray().key("counts").beginArray();
    for (std::size_t c = 0; c < kCountCount; ++c)
        json.value(m_model.countText(static_cast<Count>(c)));
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
    const TwipsRect &r = kGraphWindow.picture;
    CanvasRecorder recorder(PixelGrid(pixels(r.width) - 2 * kPictureBorder, pixels(r.height) - 2 * kPictureBorder,
                                      kGraphScaleWidth, kGraphScaleHeight),
                            lineHeightPixels);
    drawGraph(m_shared, recorder);
    JsonWriter json;
    json.beginObject().key("drawing");
    recorder.write(json);
    json.key("summary").value(graphSummary(m_shared)).endObject();
    return json.text();
}

std::string WebBoard::layout()
{
    JsonWriter json;
    json.beginObject().key("board");
    board(json);
    json.key("graph");
    pictureWindow(json, kGraphWindow);
    json.key("help");
    pictureWindow(json, kHelpWindow);
    json.key("helpName").value(kHelpPictureName).endObject();
    return json.text();
}

std::string WebBoard::help()
{
    JsonWriter json;
    json.beginObject().key("lines").beginArray();
    for (const std::string &line : helpText())
        json.value(line);
    json.endArray().endObject();
    return json.text();
}

} // namespace nuperako::web
