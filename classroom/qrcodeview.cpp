// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/qrcodeview.h"

#include <QPainter>

#include <qrencode.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace nuperako::classroom {

namespace {

constexpr int kQuietModules = 4;

} // namespace

QrCodeView::QrCodeView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QrCodeView::setText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    // Level M: a projected code read from across the room survives some glare.
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    m_modules.clear();
    m_width = code ? code->width : 0;
    for (int i = 0; i < m_width * m_width; ++i)
        m_modules.push_back((code->data[i] & 1U) != 0); // the lowest bit of each byte: dark
    setAccessibleName(text);
    update();
}

void QrCodeView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_width == 0)
        return;
    // Whole device pixels per module: a blurred edge between modules is what readers stumble on.
    const qreal ratio = devicePixelRatioF();
    const int side = static_cast<int>(std::min(width(), height()) * ratio);
    const int module = std::max(1, side / (m_width + 2 * kQuietModules));
    const int origin = (side - module * m_width) / 2;
    painter.scale(1 / ratio, 1 / ratio);
    const QPoint corner(static_cast<int>((width() * ratio - side) / 2) + origin,
                        static_cast<int>((height() * ratio - side) / 2) + origin);
    auto dark = m_modules.cbegin();
    for (int y = 0; y < m_width; ++y) {
        for (int x = 0; x < m_width; ++x, ++dark) {
            if (*dark)
                painter.fillRect(corner.x() + x * module, corner.y() + y * module, module, module, Qt::black);
        }
    }
}

} // namespace nuperako::classroom
