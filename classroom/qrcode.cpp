// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/qrcode.h"

#include <qrencode.h>

#include <memory>

namespace nuperako::classroom {

QrCode qrCodeOf(const QByteArray &utf8)
{
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    QrCode qr;
    if (!code)
        return qr;
    qr.width = code->width;
    for (int i = 0; i < qr.width * qr.width; ++i)
        qr.dark.push_back((code->data[i] & 1U) != 0); // the lowest bit of each byte: dark
    return qr;
}

} // namespace nuperako::classroom
