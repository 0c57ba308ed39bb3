// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "imagebox.h"

#include <QPainter>

namespace nuperako {

ImageBox::ImageBox(const QString &objectName, const QPixmap &picture, QWidget *parent)
    : QWidget(parent), m_picture(picture)
{
    setObjectName(objectName);
}

void ImageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), m_picture);
}

} // namespace nuperako
