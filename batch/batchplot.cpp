// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchplot.h"

#include "core/palette.h"
#include "core/tallyrows.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace nuperako::batch {

QImage plotImage(const std::vector<RunResult> &results, std::uint64_t seed)
{
    QImage image(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRectF area(70, 50, kPlotWidth - 100, kPlotHeight - 110);

    int maxRounds = 1;
    long plotted = 0;
    for (const RunResult &r : results) {
        if (!r.history.empty() && plotted < kMaxPlottedRuns) {
            maxRounds = std::max(maxRounds, static_cast<int>(r.history.size()));
            ++plotted;
        }
    }
    const auto at = [&](double round, double ratio) {
        return QPointF(area.left() + area.width() * round / maxRounds, area.bottom() - area.height() * ratio);
    };

    // The curves first, one pixel wide and not blended, so the colours stay the board's.
    const auto qcolor = [](Rgb c) { return QColor::fromRgb(c.red, c.green, c.blue); };
    painter.setClipRect(area.adjusted(0, -1, 1, 0));
    long drawn = 0;
    for (const RunResult &r : results) {
        if (r.history.empty() || drawn++ >= kMaxPlottedRuns)
            continue;
        for (const ResultKind kind : kResultKinds) {
            const std::size_t k = index(kind);
            QPolygonF curve;
            curve.reserve(static_cast<qsizetype>(r.history.size()));
            for (std::size_t i = 0; i < r.history.size(); ++i)
                curve << at(static_cast<double>(i + 1),
                            static_cast<double>(r.history[i][k]) / static_cast<double>(i + 1));
            painter.setPen(QPen(qcolor(colorOf(kind)), 0));
            painter.drawPolyline(curve);
        }
    }
    painter.setClipping(false);

    const QColor black = qcolor(kBlack);
    painter.setPen(QPen(black, 0));
    painter.drawLine(at(0, 0), at(maxRounds, 0));
    painter.drawLine(at(0, 0), at(0, 1));
    painter.setPen(QPen(black, 0, Qt::DashLine));
    painter.drawLine(at(0, 1.0 / 3.0), at(maxRounds, 1.0 / 3.0));
    painter.setPen(black);
    const QFontMetrics metrics(painter.font());
    for (const auto &[value, label] : {std::pair{0.0, "0"}, std::pair{1.0 / 3.0, "1/3"}, std::pair{1.0, "1"}}) {
        const QPointF p = at(0, value);
        painter.drawLine(p, p - QPointF(5, 0));
        painter.drawText(QRectF(0, p.y() - 10, area.left() - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromLatin1(label));
    }
    for (int tick = 0; tick <= 4; ++tick) {
        const int round = maxRounds * tick / 4;
        const QPointF p = at(round, 0);
        painter.drawLine(p, p + QPointF(0, 5));
        painter.drawText(QRectF(p.x() - 50, p.y() + 6, 100, metrics.height()), Qt::AlignHCenter,
                         QString::number(round));
    }
    painter.drawText(QRectF(area.left(), area.bottom() + 6 + metrics.height(), area.width(), metrics.height()),
                     Qt::AlignHCenter, QStringLiteral("回数 rounds"));
    painter.drawText(QRectF(area.left(), 10, area.width(), metrics.height()), Qt::AlignLeft,
                     QStringLiteral("ぬぺらこ: %1 run(s), seed %2").arg(plotted).arg(seed));

    // The legend, ending at the right: the kinds' names, and in English.
    const std::array<const char *, kResultKinds.size()> english{"draws", "single wins", "single losses"};
    constexpr int kGap = 20;
    std::array<QString, kResultKinds.size()> names;
    qreal x = area.right();
    for (const ResultKind kind : kResultKinds) {
        names[index(kind)] = QString::fromUtf8(nameOf(kind)) + u' ' + QLatin1String(english[index(kind)]);
        x -= metrics.horizontalAdvance(names[index(kind)]) + kGap;
    }
    for (const ResultKind kind : kResultKinds) {
        painter.setPen(qcolor(colorOf(kind)));
        painter.drawText(QPointF(x, 10 + metrics.ascent()), names[index(kind)]);
        x += metrics.horizontalAdvance(names[index(kind)]) + kGap;
    }
    return image;
}

} // namespace nuperako::batch
