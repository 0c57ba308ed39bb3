// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/qrcodeview.h"

#include "classroom/qrcode.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace nuperako::classroom {

QrCodeView::QrCodeView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QrCodeView::setText(const QString &text)
{
    QrCode code = qrCodeOf(text.toUtf8());
    m_modules = std::move(code.dark);
    m_width = code.width;
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
