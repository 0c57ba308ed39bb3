// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The module's boundary with the page (web/js/module.js is the other side).
//
// Events go in as calls: start, click(button 0-7), tick(timer 0-3), activate,
// answer(code) for the exit question, closed (the board's frame), end. What to show comes out of layout,
// state, graph(lineHeight) and help as JSON text: a NUL-terminated UTF-8 string
// in the module's memory, valid until the next of these calls. The module
// imports env.seconds_since_midnight, the browser's local time of day, and the
// three WASI calls that libc++'s last message uses before a broken promise
// stops the module.
// Calls before start, or with a number out of range, do nothing.
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

using nuperako::BoardTimer;
using nuperako::Button;

NUPERAKO_EXPORT(layout) const char *layout()
{
    return answer(nuperako::web::WebBoard::layout());
}

NUPERAKO_EXPORT(help) const char *help()
{
    return answer(nuperako::web::WebBoard::help());
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

NUPERAKO_EXPORT(click) void click(int button)
{
    if (board && button >= 0 && button < static_cast<int>(nuperako::kButtonCount))
        board->model().click(static_cast<Button>(button));
}

NUPERAKO_EXPORT(tick) void tick(int timer)
{
    if (board && timer >= 0 && timer < static_cast<int>(nuperako::kTimerCount))
        board->model().tick(static_cast<BoardTimer>(timer));
}

NUPERAKO_EXPORT(activate) void activate()
{
    if (board)
        board->model().activate();
}

NUPERAKO_EXPORT(answer) void exitAnswered(int code)
{
    if (board)
        board->model().exitAnswered(code);
}

NUPERAKO_EXPORT(closed) void closed()
{
    if (board)
        board->model().frameClosed();
}

NUPERAKO_EXPORT(state) const char *state()
{
    return answer(board ? board->state() : std::string("null"));
}

NUPERAKO_EXPORT(graph) const char *graph(double lineHeightPixels)
{
    return answer(board ? board->graph(lineHeightPixels) : std::string("null"));
}
