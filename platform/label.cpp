// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/label.h"

#include <QPainter>

namespace nuperako {

Label::Label(const QString &objectName, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(objectName);
    // Room for the frame that paintEvent draws.
    setContentsMargins(1, 1, 1, 1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (!m_accessiblePrefix.isEmpty())
        setAccessibleName(caption.isEmpty() ? m_accessiblePrefix : m_accessiblePrefix + u' ' + caption);
}

void Label::setAccessiblePrefix(const QString &prefix)
{
    m_accessiblePrefix = prefix;
    setCaption(text());
}

void Label::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    // The frame stays black whatever colour the text has.
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Label::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

QColor Label::foreColor() const
{
    return palette().color(QPalette::WindowText);
}

} // namespace nuperako
