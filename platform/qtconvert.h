// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/palette.h"

#include <QColor>
#include <QString>

#include <string_view>

namespace nuperako {

inline QColor toQColor(Rgb c)
{
    return QColor::fromRgb(c.red, c.green, c.blue);
}

inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace nuperako
