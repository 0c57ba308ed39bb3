// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <vector>

namespace nuperako::classroom {

// A QR code's modules, row by row, dark ones true: width by width of them.
struct QrCode {
    int width = 0;
    std::vector<bool> dark;
};

// The QR code of a text (the students' address) at level M, so that a
// projected code read from across the room survives some glare; empty if the
// text cannot be encoded.
QrCode qrCodeOf(const QByteArray &utf8);

// Around a code, readers need a quiet zone of so many modules.
inline constexpr int kQuietModules = 4;

} // namespace nuperako::classroom
