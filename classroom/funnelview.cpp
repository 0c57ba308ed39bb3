// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/funnelview.h"

#include "platform/qtconvert.h"

#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>

namespace nuperako::classroom {

namespace {

constexpr qreal kReachPixels = 12; // how near the pointer must come to a dot, in the widget's pixels

} // namespace

FunnelView::FunnelView(QWidget *parent) : ClassPicture(QStringLiteral("funnel"), parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setDrawing([this](DrawingSurface &s) { pool::drawFunnel(m_funnel, pool::FunnelMarks::chosen(m_selected), s); });
}

void FunnelView::setFunnel(pool::Funnel funnel)
{
    const pool::FunnelDot *before = selected();
    std::optional<std::size_t> kept;
    if (before != nullptr) {
        const auto same = std::ranges::find_if(funnel.dots, [before](const pool::FunnelDot &d) {
            return d.student == before->student && d.experiment == before->experiment;
        });
        if (same != funnel.dots.end())
            kept = static_cast<std::size_t>(same - funnel.dots.begin());
    }
    m_funnel = std::move(funnel);
    const bool lost = m_selected.has_value() && !kept.has_value();
    m_selected = kept;
    redraw();
    if (lost)
        emit selectionChanged();
}

const pool::FunnelDot *FunnelView::selected() const
{
    return m_selected ? &m_funnel.dots[*m_selected] : nullptr;
}

void FunnelView::select(std::optional<std::size_t> dot)
{
    if (dot == m_selected)
        return;
    m_selected = dot;
    redraw();
    if (dot)
        tellAbout(*dot);
    emit selectionChanged();
}

bool FunnelView::step(int by)
{
    const auto count = static_cast<std::ptrdiff_t>(m_funnel.dots.size());
    const std::ptrdiff_t from = m_selected ? static_cast<std::ptrdiff_t>(*m_selected) : (by > 0 ? -1 : count);
    const std::ptrdiff_t to = from + by;
    if (to < 0 || to >= count)
        return false;
    select(static_cast<std::size_t>(to));
    return true;
}

std::optional<std::size_t> FunnelView::dotUnder(QPointF widgetPoint) const
{
    const pool::PicturePoint at = toPicture(widgetPoint);
    const pool::PicturePoint reach = toPicture({kReachPixels, kReachPixels});
    return pool::dotNear(m_funnel, at, reach.x, reach.y);
}

void FunnelView::tellAbout(std::size_t dot)
{
    const pool::FunnelDot &d = m_funnel.dots[dot];
    setAccessibleDescription(toQString(d.label));
    showName(mapToGlobal(toWidget(pool::funnelPlace(m_funnel, d.rounds, d.share)).toPoint()), d.label);
}

void FunnelView::showName(QPoint globalPlace, const std::string &name)
{
    // A tooltip takes text that looks like markup for markup: a seat is shown as its characters,
    // its ideographic spaces kept.
    QToolTip::showText(
        globalPlace, QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(toQString(name).toHtmlEscaped()), this);
}

bool FunnelView::event(QEvent *event)
{
    // Tab goes from dot to dot, and on to the next control after the last one.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && step(1)) ||
            (key->key() == Qt::Key_Backtab && step(-1)))
            return true;
    }
    return ClassPicture::event(event);
}

void FunnelView::mouseMoveEvent(QMouseEvent *event)
{
    const std::optional<std::size_t> dot = dotUnder(event->position());
    const pool::FunnelDot &whole = m_funnel.pooled;
    const QPointF wholeAt = toWidget(pool::funnelPlace(m_funnel, whole.rounds, whole.share));
    const bool overWhole = whole.rounds > 0 && QLineF(wholeAt, event->position()).length() <= kReachPixels;
    if (dot || overWhole) {
        showName(event->globalPosition().toPoint(), dot ? m_funnel.dots[*dot].label : whole.label);
    } else {
        QToolTip::hideText();
    }
}

void FunnelView::mousePressEvent(QMouseEvent *event)
{
    select(dotUnder(event->position()));
}

void FunnelView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down: step(1); break;
    case Qt::Key_Left:
    case Qt::Key_Up: step(-1); break;
    case Qt::Key_Escape: select(std::nullopt); break;
    default: ClassPicture::keyPressEvent(event);
    }
}

void FunnelView::focusOutEvent(QFocusEvent *event)
{
    QToolTip::hideText();
    ClassPicture::focusOutEvent(event);
}

} // namespace nuperako::classroom
