// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/palette.h"

#include <QColor>

namespace nuperako {

inline QColor toQColor(Rgb c)
{
    return QColor::fromRgb(c.red, c.green, c.blue);
}

} // namespace nuperako
