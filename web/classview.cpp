// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "web/classview.h"

#include "pool/classdrawing.h"
#include "pool/funnel.h"
#include "pool/picturescale.h"
#include "pool/seatname.h"
#include "web/canvasrecorder.h"
#include "web/jsonwriter.h"

#include <algorithm>
#include <utility>

namespace nuperako::web {

namespace {

// A recorder for a picture of so many device pixels, and what the page needs to show its drawing.
struct Picture {
    Picture(int deviceWidth, int deviceHeight)
        : scale(pool::pictureScale(deviceWidth, deviceHeight)),
          recorder(PixelGrid(scale.gridWidth, scale.gridHeight, pool::kClassPictureWidth, pool::kClassPictureHeight),
                   static_cast<double>(scale.textPixels) / scale.block)
    {
    }
    void write(JsonWriter &json) const
    {
        json.key("drawing");
        recorder.write(json);
        json.key("block").value(scale.block).key("textPixels").value(scale.textPixels);
    }
    // A point of the picture, in device pixels.
    void place(JsonWriter &json, pool::PicturePoint p) const
    {
        const Pixel pixel = recorder.grid().toPixel(p.x, p.y);
        json.value((pixel.x + 0.5) * scale.block).value((pixel.y + 0.5) * scale.block);
    }

    pool::PictureScale scale;
    CanvasRecorder recorder;
};

} // namespace

void ClassView::clear()
{
    m_summary = {};
    m_seats.clear();
    m_marks.clear();
    m_history.clear();
}

void ClassView::addSeat(int student, std::string_view seat)
{
    m_seats[student] = std::string(seat);
}

void ClassView::addExperiment(int student, std::int64_t experiment, const Counts &counts, bool ended)
{
    if (roundsOf(counts) == 0)
        return;
    const auto seat = m_seats.find(student);
    m_summary.experiments.push_back({seat != m_seats.end() ? seat->second : pool::defaultSeatName(student),
                                     student,
                                     experiment,
                                     {0, counts, ended}});
    m_summary.tally.add(counts);
    m_marks.push_back(Mark::Other);
}

void ClassView::addDot(int aiko, int oneWins, int oneLoses, Mark mark)
{
    Counts counts;
    for (const auto &[kind, total] : {std::pair{ResultKind::Aiko, aiko}, std::pair{ResultKind::OneWins, oneWins},
                                      std::pair{ResultKind::OneLoses, oneLoses}})
        counts.values[index(totalOf(kind))] = static_cast<std::int16_t>(std::clamp(total, 0, 32767));
    const auto number = static_cast<std::int64_t>(m_marks.size()) + 1;
    addExperiment(0, number, counts, false);
    if (roundsOf(counts) > 0)
        m_marks.back() = mark;
}

void ClassView::addHistoryPoint(const pool::HistoryPoint &point)
{
    m_history.push_back(point);
}

std::string ClassView::graph(int deviceWidth, int deviceHeight) const
{
    Picture picture(deviceWidth, deviceHeight);
    pool::drawPooledGraph(m_history, picture.recorder);
    JsonWriter json;
    json.beginObject();
    picture.write(json);
    json.endObject();
    return json.text();
}

std::string ClassView::funnel(ResultKind kind, bool hideNames, std::optional<std::size_t> selected, int deviceWidth,
                              int deviceHeight) const
{
    Picture picture(deviceWidth, deviceHeight);
    const pool::Funnel f = pool::makeFunnel(m_summary, kind, hideNames);
    pool::FunnelMarks marks = pool::FunnelMarks::chosen(selected);
    for (std::size_t i = 0; i < m_marks.size(); ++i) {
        if (m_marks[i] == Mark::Own)
            marks.ringed.push_back(i);
        else if (m_marks[i] == Mark::Current)
            marks.yours = i;
    }
    pool::drawFunnel(f, marks, picture.recorder);
    JsonWriter json;
    json.beginObject();
    picture.write(json);
    json.key("dots").beginArray();
    for (const pool::FunnelDot &d : f.dots) {
        json.beginArray();
        picture.place(json, pool::funnelPlace(f, d.rounds, d.share));
        json.value(d.student).value(static_cast<long>(d.experiment)).value(d.label).endArray();
    }
    json.endArray().key("pooled").beginArray();
    picture.place(json, pool::funnelPlace(f, f.pooled.rounds, f.pooled.share));
    json.value(f.pooled.label).endArray();
    if (marks.yours) {
        const pool::FunnelDot &d = f.dots[*marks.yours];
        json.key("yours").beginArray();
        picture.place(json, pool::funnelPlace(f, d.rounds, d.share));
        json.endArray();
    }
    json.key("speech").value(pool::funnelSpeech(f, marks.yours)).endObject();
    return json.text();
}

} // namespace nuperako::web
