// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/mixinggenerator.h"
#include "core/module1.h"
#include "mainwindow/boardmodel.h"
#include "web/pageclock.h"
#include "web/tickschedule.h"

#include <string>

namespace nuperako::web {

// One run of the program in the page: the experiment, the board's model over
// it, and everything the page asks of them as JSON text.
class WebBoard {
public:
    WebBoard(); // loaded, not yet activated

    // The page's clock, in milliseconds: the timers' ticks due by now are played first.
    void advance(double now);
    // Events at the time of the last advance.
    void click(Button b);
    void activate();
    void exitAnswered(int kotae);
    void frameClosed();

    // What the board shows now, when its next tick is due, and the requests made since the last call.
    std::string state();
    // The graph drawn over the picture as it stands (see CanvasRecorder), and its summary.
    [[nodiscard]] std::string graph(double lineHeightPixels) const;

private:
    Module1 m_shared;
    MixingGenerator m_random;
    PageClock m_clock;
    BoardModel m_model;
    TickSchedule m_schedule{m_model};
    double m_now = 0;
};

} // namespace nuperako::web
