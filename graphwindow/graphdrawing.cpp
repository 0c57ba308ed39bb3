// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "graphwindow/graphdrawing.h"

#include "core/drawingsurface.h"
#include "core/module1.h"
#include "core/tallytext.h"

#include <string>

namespace nuperako {

namespace {

void drawFrame(DrawingSurface &s)
{
    s.line(100, 5, 100, 110, kBlack);
    s.line(100, 110, 1100, 110, kBlack);
    for (int y = 10; y <= 100; y += 10)
        s.line(95, static_cast<float>(y), 105, static_cast<float>(y), kBlack);
    for (int x = 100; x <= 1080; x += 20) // the one-third line, dashed
        s.line(static_cast<float>(x), 77, static_cast<float>(x + 10), 77, kBlack);

    const auto text = [&s](float x, float y, std::string_view t) {
        s.setCurrentPosition(x, y);
        s.print(t);
    };
    text(60, 110, "0.00");
    text(60, 75, "0.33");
    text(60, 8, "1.00");
    for (int x = 100; x <= 1000; x += 100)
        s.line(static_cast<float>(x), 109, static_cast<float>(x), 111, kBlack);
    for (int count = 100; count <= 900; count += 100)
        text(static_cast<float>(count + 80), 112, std::to_string(count));

    text(130, 10, "(縦軸は割合)");
    s.setForeColor(kDrawColor);
    text(130, 20, "(緑色 → あ  い  こ)");
    s.setForeColor(kWinColor);
    text(130, 25, "(青色 → 一人勝ち)");
    s.setForeColor(kLoseColor);
    text(130, 30, "(赤色 → 一人負け)");
    s.setForeColor(kBlack);
    text(950, 100, "(横軸は回数)");
}

void drawCurve(DrawingSurface &s, const RatioHistory &history, int count, bool ended, Rgb color)
{
    const auto y = [&history](int i) { return 110.0F - history.at(static_cast<std::size_t>(i)) * 100.0F; };
    s.pset(101, y(1), color);
    if (count < 2)
        return;
    // After the end a curve stops one element short of its count.
    const int last = ended ? count - 1 : count;
    for (int i = 2; i <= last; ++i)
        s.lineTo(static_cast<float>(100 + i), y(i), color);
}

} // namespace

void drawGraph(const Module1 &shared, DrawingSurface &surface)
{
    drawFrame(surface);
    const bool ended = shared.owari == 1;
    drawCurve(surface, shared.aikoritu, shared.aiko, ended, kDrawColor);
    drawCurve(surface, shared.katiritu, shared.abc1kati, ended, kWinColor);
    drawCurve(surface, shared.makeritu, shared.abc1make, ended, kLoseColor);
}

std::string graphSummary(const Module1 &shared)
{
    const int rounds = kaisuu(shared);
    const auto share = [rounds](int count) { return ratioText(ratio(count, rounds)); };
    return "割合のグラフ、" + std::to_string(rounds) + "回: あいこ " + share(shared.aiko) + "、一人勝ち " +
           share(shared.abc1kati) + "、一人負け " + share(shared.abc1make) + "（理論値 1/3 = 0.333）";
}

} // namespace nuperako
