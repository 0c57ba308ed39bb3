// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The module's boundary with the page (web/js/module.js is the other side).
//
// Events go in as calls: start, advance(now) with the page's clock in
// milliseconds before every other event (the timers' ticks due by then are
// played), click(button 0-7), activate, answer(code) for the exit question,
// closed (the board's frame), end. What to show comes out of layout,
// state, graph(lineHeight) and help(lineHeight) as JSON text: a NUL-terminated UTF-8 string
// in the module's memory, valid until the next of these calls. The module
// imports env.seconds_since_midnight, the browser's local time of day, and the
// three WASI calls that libc++'s last message uses before a broken promise
// stops the module.
// Calls before start, or with a number out of range, do nothing.
#include "web/classview.h"
#include "web/pagelayout.h"
#include "web/webboard.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>

#define NUPERAKO_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

std::unique_ptr<nuperako::web::WebBoard> board;
std::string reply;

const char *answer(std::string text)
{
    reply = std::move(text);
    return reply.c_str();
}

} // namespace

using nuperako::Button;

NUPERAKO_EXPORT(layout) const char *layout()
{
    return answer(nuperako::web::pageLayout());
}

NUPERAKO_EXPORT(help) const char *help(double lineHeightPixels)
{
    return answer(nuperako::web::helpPage(lineHeightPixels));
}

// A new run: the experiment initialised and the board loaded, not yet activated.
NUPERAKO_EXPORT(start) void start()
{
    board = std::make_unique<nuperako::web::WebBoard>();
}

// The program's end: all state is dropped.
NUPERAKO_EXPORT(end) void end()
{
    board.reset();
}

NUPERAKO_EXPORT(advance) void advance(double now)
{
    if (board)
        board->advance(now);
}

NUPERAKO_EXPORT(click) void click(int button)
{
    if (board && button >= 0 && button < static_cast<int>(nuperako::kButtonCount))
        board->click(static_cast<Button>(button));
}

NUPERAKO_EXPORT(activate) void activate()
{
    if (board)
        board->activate();
}

NUPERAKO_EXPORT(answer) void exitAnswered(int code)
{
    if (board)
        board->exitAnswered(code);
}

NUPERAKO_EXPORT(closed) void closed()
{
    if (board)
        board->frameClosed();
}

NUPERAKO_EXPORT(state) const char *state()
{
    return answer(board ? board->state() : std::string("null"));
}

NUPERAKO_EXPORT(graph) const char *graph(double lineHeightPixels)
{
    return answer(board ? board->graph(lineHeightPixels) : std::string("null"));
}

// A class's pictures, for a teacher's page and a student's: the page passes the class in
// as the server sent it (clear, then the seats and the experiments in order, or the
// dots, the history), then asks for a picture of so many device pixels. A seat's text is
// written first into the inbox, of the size asked for.
namespace {

nuperako::web::ClassView classView;
std::string inbox;

} // namespace

NUPERAKO_EXPORT(class_inbox) char *classInbox(int bytes)
{
    inbox.assign(static_cast<std::size_t>(std::max(0, bytes)), '\0');
    return inbox.data();
}

NUPERAKO_EXPORT(class_clear) void classClear()
{
    classView.clear();
}

NUPERAKO_EXPORT(class_seat) void classSeat(int student)
{
    classView.addSeat(student, inbox);
}

NUPERAKO_EXPORT(class_experiment)
void classExperiment(int student, double experiment, int ended, int aiko, int a1kati, int b1kati, int c1kati,
                     int abc1kati, int a1make, int b1make, int c1make, int abc1make)
{
    nuperako::Counts counts;
    const std::array values{aiko, a1kati, b1kati, c1kati, abc1kati, a1make, b1make, c1make, abc1make};
    for (std::size_t i = 0; i < values.size(); ++i)
        counts.values[i] = static_cast<std::int16_t>(std::clamp(values[i], 0, 32767));
    classView.addExperiment(student, static_cast<std::int64_t>(experiment), counts, ended != 0);
}

// A student's page: an experiment by its totals; mark 0 another student's, 1 the student's own, 2 its current one.
NUPERAKO_EXPORT(class_dot) void classDot(int aiko, int oneWins, int oneLoses, int mark)
{
    using Mark = nuperako::web::ClassView::Mark;
    classView.addDot(aiko, oneWins, oneLoses, static_cast<Mark>(std::clamp(mark, 0, 2)));
}

NUPERAKO_EXPORT(class_history) void classHistory(double rounds, double aiko, double oneWins, double oneLoses)
{
    classView.addHistoryPoint(
        {static_cast<std::int64_t>(rounds),
         {static_cast<std::int64_t>(aiko), static_cast<std::int64_t>(oneWins), static_cast<std::int64_t>(oneLoses)}});
}

NUPERAKO_EXPORT(class_graph) const char *classGraph(int deviceWidth, int deviceHeight)
{
    return answer(classView.graph(deviceWidth, deviceHeight));
}

// kind 0 draws, 1 wins alone, 2 losses alone; selected: a dot's index, or -1.
NUPERAKO_EXPORT(class_funnel)
const char *classFunnel(int kind, int hideNames, int selected, int deviceWidth, int deviceHeight)
{
    const auto k = static_cast<nuperako::ResultKind>(std::clamp(kind, 0, 2));
    const std::optional<std::size_t> dot =
        selected >= 0 ? std::optional(static_cast<std::size_t>(selected)) : std::nullopt;
    return answer(classView.funnel(k, hideNames != 0, dot, deviceWidth, deviceHeight));
}
