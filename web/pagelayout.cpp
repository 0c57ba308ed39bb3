// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "web/pagelayout.h"

#include "core/japanesefamilies.h"
#include "graphwindow/graphlayout.h"
#include "helpwindow/helplayout.h"
#include "helpwindow/helptext.h"
#include "mainwindow/boardlayout.h"
#include "mainwindow/boardmodel.h"
#include "pool/classtexts.h"
#include "pool/protocol.h"
#include "web/canvasrecorder.h"
#include "web/jsonwriter.h"

#include <optional>

namespace nuperako::web {

namespace {

// The page draws the windows' frames itself: a title bar this high, in pixels,
// with a close box that a screen reader calls by this name.
constexpr int kTitleBarHeight = 24;
constexpr const char *kCloseBoxName = "閉じる";

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

void label(JsonWriter &json, const char *id, std::string_view text, const TwipsRect &place, std::optional<Rgb> c,
           bool italic, const std::string &speech)
{
    json.beginObject().key("id").value(id).key("text").value(text).key("rect");
    rect(json, place);
    json.key("color");
    json.cssColor(c);
    json.key("italic").value(italic).key("speech").value(speech).endObject();
}

// The inside of a picture box placed at r, in pixels.
void inside(JsonWriter &json, const TwipsRect &r)
{
    const PixelSize size = insideOf(r);
    json.beginArray().value(size.width).value(size.height).endArray();
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
                .key("picture")
                .value(handName(h))
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
    for (std::size_t column = 0; column < kHeadings.size(); ++column) {
        const std::string_view caption = kTallyColumns[column];
        label(json, kHeadings[column].id, caption, kHeadings[column].place, std::nullopt, false, std::string(caption));
    }
    json.endArray().key("rows").beginArray();
    for (std::size_t c = 0; c < kCountCount; ++c) {
        const TallyRow &row = kTallyRows[c];
        const auto &ids = kTallyCells[c].ids;
        const auto count = static_cast<Count>(c);
        json.beginObject().key("caption");
        label(json, ids[0], row.caption, tallyCell(count, 0), row.color, row.italic, std::string(row.caption));
        json.key("count");
        label(json, ids[1], "", tallyCell(count, 1), row.color, row.italic, cellSpeech(count, 1));
        json.key("ratio");
        label(json, ids[2], "", tallyCell(count, 2), row.color, row.italic, cellSpeech(count, 2));
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
        .key("yesCaption")
        .value(kAnswerYesCaption)
        .key("noCaption")
        .value(kAnswerNoCaption)
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

// What the teachers' page shows beside the board's tally: the kinds of result, and the teacher's texts.
void teacher(JsonWriter &json)
{
    using namespace classtexts;
    json.beginObject().key("kinds").beginArray();
    for (const ResultKind kind : kResultKinds) {
        json.beginObject().key("name").value(nameOf(kind)).key("color");
        json.cssColor(colorOf(kind));
        json.endObject();
    }
    json.endArray().key("texts").beginObject();
    const std::pair<const char *, std::string_view> texts[] = {
        {"title", kTitle},
        {"code", kCode},
        {"address", kAddress},
        {"hideNames", kHideNames},
        {"newClass", kNewClass},
        {"reveal", kReveal},
        {"export", kExport},
        {"graph", kGraph},
        {"funnel", kFunnel},
        {"remove", kRemove},
        {"removeQuestion", kRemoveQuestion},
        {"removeTitle", kRemoveTitle},
        {"newClassQuestion", kNewClassQuestion},
        {"newClassTitle", kNewClassTitle},
        {"newClassFailed", kNewClassFailed},
    };
    for (const auto &[key, text] : texts)
        json.key(key).value(text);
    json.endObject().endObject();
}

// A student's window of the class, as wide as the graph's window and as high as the board's, over both.
void classWindow(JsonWriter &json)
{
    using namespace classtexts;
    const TwipsRect graph = kGraphWindow.clientArea;
    const TwipsRect boardArea = boardlayout::kClientArea;
    json.beginObject().key("caption").value(kClassWindow).key("client");
    rect(json, {graph.left, boardArea.top, graph.width, boardArea.height});
    // Its close button where the graph window has its own.
    json.key("close").beginObject().key("caption").value(kGraphWindow.closeCaption).key("rect");
    rect(json, kGraphWindow.close);
    json.endObject();
    json.key("notRevealed").value(kNotRevealed).key("graph").value(kGraph).key("funnel").value(kFunnel);
    json.endObject();
}

// The class's protocol as the page's link to a class speaks it (pool/protocol.h).
void protocolTable(JsonWriter &json)
{
    using namespace protocol;
    json.beginObject().key("types").beginObject();
    for (const std::string_view type : {kJoin, kState, kSeat, kWatch, kJoined, kAck, kLater, kRemoved, kOverview, kOpen,
                                        kFollow, kRemove, kReveal, kNewClass, kOpened, kClassView})
        json.key(type).value(type);
    json.endObject().key("fields").beginObject();
    for (const std::string_view f :
         {field::kType, field::kClass, field::kDevice, field::kExperiment, field::kSeq, field::kCounts, field::kEnded,
          field::kName, field::kSeat, field::kPassword, field::kKey, field::kStudent, field::kWatching,
          field::kRevealed, field::kDots, field::kHistory})
        json.key(f).value(f);
    json.endObject()
        .key("unknownClass")
        .value(kUnknownClassCode)
        .key("forbidden")
        .value(kForbiddenCode)
        .key("viewMs")
        .value(kViewMs)
        .key("teacherSettingsPath")
        .value(kTeacherSettingsPath)
        .key("qrPath")
        .value(kQrPath)
        .key("exportPath")
        .value(kExportPath)
        .key("keyHeader")
        .value(kKeyHeader)
        .key("seatLength")
        .value(static_cast<int>(kMaxSeatLength))
        .key("sendMs")
        .value(kSendIntervalMs)
        .key("laterMs")
        .value(kLaterMs)
        .key("retryMinMs")
        .value(kRetryMinMs)
        .key("retryMaxMs")
        .value(kRetryMaxMs)
        .endObject();
}

} // namespace

std::string pageLayout()
{
    JsonWriter json;
    json.beginObject().key("board");
    board(json);
    json.key("graph");
    pictureWindow(json, kGraphWindow);
    json.key("help");
    pictureWindow(json, kHelpWindow);
    json.key("helpName").value(kHelpPictureName);
    json.key("fonts").beginArray();
    for (const std::string_view family : kJapaneseFamilies)
        json.value(family);
    json.endArray();
    json.key("frame").beginObject().key("titleHeight").value(kTitleBarHeight).key("closeName").value(kCloseBoxName);
    json.endObject().key("protocol");
    protocolTable(json);
    json.key("teacher");
    teacher(json);
    json.key("classWindow");
    classWindow(json);
    json.endObject();
    return json.text();
}

std::string helpPage(double lineHeightPixels)
{
    const PixelSize inside = insideOf(kHelpWindow.picture);
    // The help's picture keeps twips as its coordinates.
    CanvasRecorder recorder(
        PixelGrid(inside.width, inside.height, inside.width * kTwipsPerPixel, inside.height * kTwipsPerPixel),
        lineHeightPixels);
    printHelp(recorder);
    JsonWriter json;
    json.beginObject().key("lines").beginArray();
    for (const std::string &line : helpText())
        json.value(line);
    json.endArray().key("drawing");
    recorder.write(json);
    json.endObject();
    return json.text();
}

} // namespace nuperako::web
