// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/imagebox.h"

#include <QPainter>

#include <utility>

namespace nuperako {

ImageBox::ImageBox(const QString &objectName, QPixmap picture, QWidget *parent)
    : QWidget(parent), m_picture(std::move(picture))
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
