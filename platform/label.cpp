// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/label.h"

#include "platform/twips.h"

#include <QPainter>

namespace nuperako {

Label::Label(const QString &objectName, const QString &text, const QRect &twips, const QFont &font, QWidget *parent)
    : QLabel(text, parent)
{
    setObjectName(objectName);
    setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    setFont(font);
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
    if (caption == text())
        return;
    setText(caption);
    updateAccessibleName();
}

void Label::setAccessiblePrefix(const QString &prefix)
{
    m_accessiblePrefix = prefix;
    updateAccessibleName();
}

void Label::updateAccessibleName()
{
    if (!m_accessiblePrefix.isEmpty())
        setAccessibleName(text().isEmpty() ? m_accessiblePrefix : m_accessiblePrefix + u' ' + text());
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
    if (color == foreColor())
        return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

QColor Label::foreColor() const
{
    return palette().color(QPalette::WindowText);
}

} // namespace nuperako
