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
#include "web/pagelayout.h"
#include "web/webboard.h"

#include <memory>
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
