// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classpicture.h"

#include "platform/japanesefont.h"
#include "platform/qtconvert.h"
#include "pool/picturescale.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace nuperako::classroom {

namespace {

constexpr int kPointSize = 12; // replaced by a pixel size; the family and weight are what count

} // namespace

ClassPicture::ClassPicture(const QString &objectName, QWidget *parent)
    : QWidget(parent),
      PixelSurface(PixelGrid(1, 1, pool::kClassPictureWidth, pool::kClassPictureHeight)),
      m_font(japaneseFont(kPointSize, true))
{
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ClassPicture::setDrawing(Drawing drawing)
{
    m_drawing = std::move(drawing);
    redraw();
}

void ClassPicture::redraw()
{
    const qreal pixelRatio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * pixelRatio).toSize().expandedTo({1, 1});
    const pool::PictureScale scale = pool::pictureScale(device.width(), device.height());
    m_block = scale.block;
    setGrid(PixelGrid(scale.gridWidth, scale.gridHeight, pool::kClassPictureWidth, pool::kClassPictureHeight));
    m_font.setPixelSize(scale.textPixels);
    if (m_image.size() != device) {
        m_image = QImage(device, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(pixelRatio);
    }
    m_image.fill(Qt::white);
    setCurrentPosition(0, 0);
    if (m_drawing)
        m_drawing(*this);
    update();
}

pool::PicturePoint ClassPicture::toPicture(QPointF widgetPoint) const
{
    return {static_cast<float>(widgetPoint.x() * pool::kClassPictureWidth / std::max(1, width())),
            static_cast<float>(widgetPoint.y() * pool::kClassPictureHeight / std::max(1, height()))};
}

QPointF ClassPicture::toWidget(pool::PicturePoint p) const
{
    const Pixel pixel = grid().toPixel(p.x, p.y);
    const qreal pixelRatio = m_image.devicePixelRatio();
    return {(pixel.x + 0.5) * m_block / pixelRatio, (pixel.y + 0.5) * m_block / pixelRatio};
}

QColor ClassPicture::colorAt(pool::PicturePoint p) const
{
    const Pixel pixel = grid().toPixel(p.x, p.y);
    return m_image.pixelColor(pixel.x * m_block, pixel.y * m_block);
}

void ClassPicture::resizeEvent(QResizeEvent *)
{
    redraw();
}

void ClassPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void ClassPicture::plot(Pixel p, Rgb color)
{
    const QRect block = QRect(p.x * m_block, p.y * m_block, m_block, m_block).intersected(m_image.rect());
    const QRgb rgb = qRgb(color.red, color.green, color.blue);
    for (int y = block.top(); y <= block.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        std::fill(row + block.left(), row + block.right() + 1, rgb);
    }
}

void ClassPicture::printText(Pixel at, std::string_view text, Rgb color)
{
    QPainter painter(&m_image);
    // The painter works in the image's device-independent pixels; the font is sized in device pixels.
    painter.scale(1 / m_image.devicePixelRatio(), 1 / m_image.devicePixelRatio());
    painter.setFont(m_font);
    painter.setPen(toQColor(color));
    painter.drawText(at.x * m_block, at.y * m_block + QFontMetrics(m_font).ascent(), toQString(text));
}

double ClassPicture::lineHeight() const
{
    return QFontMetrics(m_font).height() / static_cast<double>(m_block);
}

} // namespace nuperako::classroom
