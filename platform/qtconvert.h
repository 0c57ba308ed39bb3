// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/palette.h"
#include "core/twipsrect.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

namespace nuperako {

inline QColor toQColor(Rgb c)
{
    return QColor::fromRgb(c.red, c.green, c.blue);
}

// Still in twips: the elements take their places in twips.
inline QRect toQRect(const TwipsRect &r)
{
    return {r.left, r.top, r.width, r.height};
}

inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace nuperako
