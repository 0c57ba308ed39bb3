// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/picturebox.h"

#include "platform/qtconvert.h"
#include "platform/twips.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace nuperako {

PictureBox::PictureBox(const QString &objectName, const QRect &geometryTwips, QWidget *parent)
    : QWidget(parent), PixelSurface(PixelGrid(1, 1, 1, 1))
{
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    const TwipsRect place{geometryTwips.x(), geometryTwips.y(), geometryTwips.width(), geometryTwips.height()};
    setGeometry(twipsRect(place.left, place.top, place.width, place.height));
    const PixelSize inside = insideOf(place);
    m_innerSize = QSize(inside.width, inside.height);
    setScale(m_innerSize.width() * kTwipsPerPixel, m_innerSize.height() * kTwipsPerPixel);
    // Kept at the screen's device pixel ratio: sharp text and lines on a dense screen or a scaled projector.
    const qreal ratio = devicePixelRatioF();
    m_image = QImage((QSizeF(m_innerSize) * ratio).toSize(), QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(Qt::white);
}

void PictureBox::setScale(double scaleWidth, double scaleHeight)
{
    setGrid(PixelGrid(m_innerSize.width(), m_innerSize.height(), scaleWidth, scaleHeight));
}

QPoint PictureBox::toPixel(float x, float y) const
{
    const Pixel p = grid().toPixel(x, y);
    return {p.x, p.y};
}

void PictureBox::clear()
{
    m_image.fill(Qt::white);
    setCurrentPosition(0, 0);
    update();
}

void PictureBox::printText(Pixel at, std::string_view text, Rgb color)
{
    QPainter painter(&m_image);
    // Aliased glyphs: the same text drawn over itself leaves the picture as it was.
    QFont glyphs = font();
    glyphs.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(glyphs);
    painter.setPen(toQColor(color));
    painter.drawText(at.x, at.y + QFontMetrics(font()).ascent(), toQString(text));
}

double PictureBox::lineHeight() const
{
    return QFontMetrics(font()).height();
}

void PictureBox::plot(Pixel pixel, Rgb color)
{
    // One pixel of the inside is a block of device pixels on a dense screen.
    const qreal ratio = m_image.devicePixelRatio();
    const QRect block(QPoint(static_cast<int>(pixel.x * ratio), static_cast<int>(pixel.y * ratio)),
                      QPoint(static_cast<int>((pixel.x + 1) * ratio) - 1, static_cast<int>((pixel.y + 1) * ratio) - 1));
    const QRect inside = block.intersected(m_image.rect());
    const QRgb rgb = qRgb(color.red, color.green, color.blue);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        std::fill(row + inside.left(), row + inside.right() + 1, rgb);
    }
}

QColor PictureBox::colorAt(QPoint pixel) const
{
    const qreal ratio = m_image.devicePixelRatio();
    return m_image.pixelColor(static_cast<int>(pixel.x() * ratio), static_cast<int>(pixel.y() * ratio));
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect outer = rect();
    // The sunken edge: shadow and dark shadow above and left, light and face below and right.
    const QColor shadow(128, 128, 128), darkShadow(64, 64, 64), light(255, 255, 255), face(227, 227, 227);
    auto edge = [&](int inset, const QColor &topLeft, const QColor &bottomRight) {
        const QRect r = outer.adjusted(inset, inset, -inset, -inset);
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    edge(0, shadow, light);
    edge(1, darkShadow, face);
    painter.drawImage(kPictureBorder, kPictureBorder, m_image);
}

} // namespace nuperako
