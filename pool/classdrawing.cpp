// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classdrawing.h"

#include "core/drawingsurface.h"
#include "core/module1.h"
#include "core/tallytext.h"
#include "pool/classtexts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace nuperako::pool {

namespace {

// The plotting area inside the picture; the texts go around it.
constexpr float kLeft = 90;
constexpr float kRight = 900;
constexpr float kTop = 100;
constexpr float kBottom = 520;
constexpr float kOneThird = 1.0F / 3;
constexpr std::int64_t kLeastScale = 10; // rounds across the class's graph before the first round

constexpr int kDotRadius = 3;                    // pixels
constexpr int kClassRadius = 7;                  // the class's dot, with its black edge
constexpr int kYourRadius = 5;                   // a student's current experiment, ringed as the marked ones
constexpr float kYouGap = 14;                    // from its centre to its name
constexpr int kCurveSteps = 300;                 // segments of each funnel curve across the width
constexpr PicturePoint kBandText{560, kTop + 8}; // where the band's count is written

float shareY(double share)
{
    return kBottom - (kBottom - kTop) * static_cast<float>(share);
}

void text(DrawingSurface &s, float x, float y, std::string_view t, Rgb color = kBlack)
{
    s.setForeColor(color);
    s.setCurrentPosition(x, y);
    s.print(t);
}

// The axes, the share marks 0, 1/3 and 1, and the dashed one-third line.
void drawShareAxes(DrawingSurface &s)
{
    s.line(kLeft, kTop - 10, kLeft, kBottom, kBlack);
    s.line(kLeft, kBottom, kRight + 20, kBottom, kBlack);
    for (const float share : {0.0F, kOneThird, 1.0F}) {
        s.line(kLeft - 8, shareY(share), kLeft, shareY(share), kBlack);
        text(s, 4, shareY(share) - 18, ratioText(share).substr(0, 4));
    }
    constexpr float kDash = 12;
    for (float x = kLeft; x + kDash <= kRight; x += 2 * kDash)
        s.line(x, shareY(kOneThird), x + kDash, shareY(kOneThird), kBlack);
    text(s, kRight + 24, kBottom - 20, "回数");
}

void drawRoundMark(DrawingSurface &s, float x, std::int64_t rounds)
{
    s.line(x, kBottom, x, kBottom + 8, kBlack);
    text(s, x - 8, kBottom + 12, countText(rounds));
}

// The scale of tens: log10 of its end, at least 10 rounds, past the class's rounds.
double decadesOf(const Funnel &f)
{
    return std::max(1.0, std::ceil(std::log10(static_cast<double>(std::max<std::int64_t>(f.pooled.rounds, 1)) + 1e-9)));
}

} // namespace

std::vector<std::int64_t> roundTicks(std::int64_t most, int maxTicks)
{
    std::int64_t step = 1;
    for (std::int64_t power = 1; most / step > maxTicks; power *= 10) {
        for (const std::int64_t m : {1, 2, 5}) {
            step = m * power;
            if (most / step <= maxTicks)
                break;
        }
    }
    std::vector<std::int64_t> ticks;
    for (std::int64_t t = step; t <= most; t += step)
        ticks.push_back(t);
    return ticks;
}

PicturePoint pooledGraphPlace(std::int64_t most, std::int64_t rounds, double share)
{
    const auto scale = static_cast<float>(std::max(most, kLeastScale));
    return {kLeft + (kRight - kLeft) * static_cast<float>(rounds) / scale, shareY(share)};
}

void drawPooledGraph(const std::vector<HistoryPoint> &history, DrawingSurface &s)
{
    drawShareAxes(s);
    const HistoryPoint now = history.empty() ? HistoryPoint{} : history.back();
    const auto x = [&now](std::int64_t rounds) { return pooledGraphPlace(now.rounds, rounds, 0).x; };
    const std::int64_t most = std::max(now.rounds, kLeastScale);
    drawRoundMark(s, x(0), 0);
    for (const std::int64_t t : roundTicks(most))
        drawRoundMark(s, x(t), t);

    // The legend, with the class's ratios now.
    constexpr float kLegendStep = 270;
    for (const ResultKind kind : kResultKinds) {
        text(s, kLeft + kLegendStep * static_cast<float>(index(kind)), 4,
             std::string(nameOf(kind)) + " " + ratioText(now.share(kind)), colorOf(kind));
    }
    if (history.empty())
        return;
    for (const ResultKind kind : kResultKinds) {
        const Rgb color = colorOf(kind);
        s.pset(x(history.front().rounds), shareY(history.front().share(kind)), color);
        for (const HistoryPoint &p : history)
            s.lineTo(x(p.rounds), shareY(p.share(kind)), color);
    }
}

PicturePoint funnelPlace(const Funnel &f, std::int64_t rounds, double share)
{
    const double position = std::log10(static_cast<double>(std::max<std::int64_t>(rounds, 1))) / decadesOf(f);
    return {kLeft + (kRight - kLeft) * static_cast<float>(position), shareY(share)};
}

void drawFunnel(const Funnel &f, const FunnelMarks &marks, DrawingSurface &s)
{
    drawShareAxes(s);
    const int decades = static_cast<int>(decadesOf(f));
    std::int64_t rounds = 1;
    for (int d = 0; d <= decades; ++d, rounds *= 10)
        drawRoundMark(s, funnelPlace(f, rounds, 0).x, rounds);
    const Rgb color = colorOf(f.kind);
    text(s, kLeft, 4, std::string(nameOf(f.kind)) + "の割合　点は一人ひとりの実験、大きな点はクラス全体", color);
    text(s, kLeft, 46, "曲線：1/3 ± 2√(2/9n)　（n は回数）");
    // The band's count at the plot's top right, where no experiment's dot can be: so many rounds
    // that far from a third are far outside the band.
    text(s, kBandText.x, kBandText.y, bandText(f));

    // The curves, from where they come inside 0 to 1.
    const Rgb curve = paletteColor(8);
    for (const double side : {1.0, -1.0}) {
        bool inside = false;
        for (int i = 0; i <= kCurveSteps; ++i) {
            const double n = std::pow(10.0, decades * static_cast<double>(i) / kCurveSteps);
            const double share = kOneThird + side * funnelHalfWidth(n);
            const float x = kLeft + (kRight - kLeft) * static_cast<float>(i) / kCurveSteps;
            if (share < 0 || share > 1) {
                inside = false;
            } else if (!inside) {
                s.pset(x, shareY(share), curve);
                inside = true;
            } else {
                s.lineTo(x, shareY(share), curve);
            }
        }
    }

    for (const FunnelDot &d : f.dots) {
        const PicturePoint p = funnelPlace(f, d.rounds, d.share);
        s.dot(p.x, p.y, kDotRadius, color);
    }
    // A marked dot, of radius, in a ring of white and black.
    const auto ring = [&](std::size_t i, int radius) {
        if (i >= f.dots.size())
            return PicturePoint{};
        const PicturePoint p = funnelPlace(f, f.dots[i].rounds, f.dots[i].share);
        s.dot(p.x, p.y, radius + 3, kBlack);
        s.dot(p.x, p.y, radius + 1, paletteColor(15));
        s.dot(p.x, p.y, radius, color);
        return p;
    };
    for (const std::size_t i : marks.ringed)
        ring(i, kDotRadius);
    if (marks.yours && *marks.yours < f.dots.size()) {
        const PicturePoint p = ring(*marks.yours, kYourRadius);
        text(s, p.x + kYouGap, p.y - kYouGap, classtexts::kYou);
    }
    if (f.pooled.rounds > 0) {
        const PicturePoint p = funnelPlace(f, f.pooled.rounds, f.pooled.share);
        s.dot(p.x, p.y, kClassRadius, kBlack);
        s.dot(p.x, p.y, kClassRadius - 2, color);
    }
}

std::optional<std::size_t> dotNear(const Funnel &f, PicturePoint at, float reachX, float reachY)
{
    std::optional<std::size_t> nearest;
    float best = 2; // in reaches: inside the ellipse of the reach is below 1
    for (std::size_t i = 0; i < f.dots.size(); ++i) {
        const PicturePoint p = funnelPlace(f, f.dots[i].rounds, f.dots[i].share);
        const float dx = (p.x - at.x) / reachX;
        const float dy = (p.y - at.y) / reachY;
        const float distance = dx * dx + dy * dy;
        if (distance <= 1 && distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

} // namespace nuperako::pool
