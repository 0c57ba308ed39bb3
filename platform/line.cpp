// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/line.h"

#include "platform/twips.h"

#include <QPainter>

namespace nuperako {

Line::Line(const QString &objectName, int x1, int x2, int y, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(pixels(x1), pixels(y), pixels(x2) - pixels(x1) + 1, 1);
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::WindowText));
}

} // namespace nuperako
